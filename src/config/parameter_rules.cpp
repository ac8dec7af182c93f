#include "config/parameter_rules.h"

#include "config/field_table.h"
#include "config/pins.h"

namespace ztv {

std::uint32_t bound_value(const ConfigState& state, const ParamBinding& row) {
    switch (row.target) {
        case BindingTarget::Field: return row.field < FieldId::Count ? get_field(state.record, row.field) : 0;
        case BindingTarget::LongPress: return state.record.long_press_ms();
        case BindingTarget::PinMode: return pin_mode(state.record, row.pin);
        case BindingTarget::TouchOffset: return state.touch_offset ? 1 : 0;
        case BindingTarget::SourceNames:
        case BindingTarget::None: return 0;
    }
    return 0;
}

void store_bound(ConfigState& state, const ParamBinding& row, std::uint32_t value) {
    switch (row.target) {
        case BindingTarget::Field:
            if (row.field < FieldId::Count) set_field(state.record, row.field, value);
            break;
        case BindingTarget::LongPress: state.record.set_u16(0, static_cast<std::uint16_t>(value)); break;
        case BindingTarget::PinMode: set_pin_mode(state.record, row.pin, static_cast<std::uint8_t>(value)); break;
        case BindingTarget::TouchOffset: state.touch_offset = value != 0; break;
        case BindingTarget::SourceNames:
        case BindingTarget::None: break;
    }
}

bool holds(Dependency dependency, const Record& record) {
    const auto value = [&](FieldId id) { return get_field(record, id); };
    switch (dependency) {
        case Dependency::Always: return true;
        case Dependency::Encoder1Used: return value(FieldId::ENC0MODE) != 0;
        case Dependency::Encoder2Used: return value(FieldId::ENC1MODE) != 0;
        case Dependency::IrInputChosen: return value(FieldId::IRINP_NUM) != 0;
        case Dependency::GpsConnected: return value(FieldId::GPS_NUM) != 0;
        case Dependency::GpsFormat: return value(FieldId::GPS_NUM) != 0 && value(FieldId::GPS_SPEED) != 0;
        case Dependency::HeadUnitConnected: return value(FieldId::HEAD_NUM) != 0;
        case Dependency::ExtNaviConnected: return value(FieldId::EXTNAVI_NUM) != 0;
        case Dependency::SeveralSources: return value(FieldId::PULSE_NUMSRC) != 0;
        case Dependency::PulsePinChosen: return value(FieldId::PULSE_NUMSRC) != 0 && value(FieldId::PULSE_NUM) != 0;
        case Dependency::GanetInspire: return value(FieldId::GANET_MODE) == 2;
        case Dependency::UartConnected: return value(FieldId::UARTPARAM_NUM) != 0;
        case Dependency::AmplifierControls: return (value(FieldId::IEBUS_MODEBITS) & kIebusAmplifierControls) != 0;
        case Dependency::IebusCoordinates: return (value(FieldId::IEBUS_MODEBITS) & kIebusCoordinateFunctions) != 0;
        case Dependency::IdriveOffline: return value(FieldId::IDRIVEPARAM_MODE) == 0;
        case Dependency::CarDspConnected: return value(FieldId::CARDSP_RUX_PARAM_NUM) != 0;
        case Dependency::SendNames: return value(FieldId::USE_NAME) != 0;
        case Dependency::NoCap2Res: return value(FieldId::CAP2RES_NUM) == 0;
        case Dependency::Cap2Res: return value(FieldId::CAP2RES_NUM) != 0;
    }
    return true;
}

}  // namespace ztv
