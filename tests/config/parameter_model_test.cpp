#include "config/parameter_model.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "config/pins.h"

namespace ztv {
namespace {

using F = FieldId;
using Redraw = EditOutcome::Redraw;

// The user's actions, as the pages' bound controls hand them over.
EditOutcome act(ConfigState& s, std::string_view control, ControlKind kind, std::int64_t value,
                std::string_view text = {}) {
    return edit_parameter(s, ControlAction{std::string(control), kind, value, std::string(text)});
}
EditOutcome edit_choice(ConfigState& s, std::string_view c, int index) { return act(s, c, ControlKind::List, index); }
EditOutcome edit_tick(ConfigState& s, std::string_view c, bool ticked) { return act(s, c, ControlKind::Check, ticked); }
EditOutcome edit_text(ConfigState& s, std::string_view c, std::string_view utf8) {
    return act(s, c, ControlKind::Edit, 0, utf8);
}
EditOutcome edit_number(ConfigState& s, std::string_view c, std::int64_t shown) { return act(s, c, ControlKind::Spin, shown); }
EditOutcome edit_bits(ConfigState& s, std::string_view c, std::uint32_t mask) { return act(s, c, ControlKind::CheckList, mask); }
EditOutcome edit_row(ConfigState& s, std::string_view c, int row, std::string_view utf8) {
    return act(s, c, ControlKind::Table, row, utf8);
}

class ParameterModel : public ::testing::Test {
protected:
    ConfigState s;

    void set(F id, std::uint32_t value) { set_field(s.record, id, value); }
    std::uint32_t get(F id) const { return get_field(s.record, id); }

    // The control as the refresh shows it.
    ControlView view(std::string_view control) {
        for (const ParameterPageView& page : refresh_pages(s))
            if (const ControlView* found = find_control(page.controls, control)) return *found;
        ADD_FAILURE() << "no control " << control;
        return {};
    }
};

// ---- the tables -----------------------------------------------------------------------------

TEST(ParameterTables, TwentyFivePagesInTabOrderWithFixedCaptionsUntranslated) {
    const auto pages = parameter_pages();
    ASSERT_EQ(pages.size(), kParamPageCount);
    const char* english[] = {"Pins",      "Sources",   "Keys",          "Touchpanel",    "IR input",
                             "Control",   "Encoders",  "GPS port",      "Head unit",     "External navi",
                             "Bus IEBUS", "CAN Bus",   "iDrive",        "iBus",          "CAP2RES",
                             "GaNet Bus", "LIN-Bus",   "Bluetooth",     "PS2",           "UART",
                             "AUDI MMI",  "CarDSP",    "ResEmul",       "GAZER PA",      "Mercedes Ctrl"};
    for (std::size_t i = 0; i < pages.size(); ++i) {
        SCOPED_TRACE(pages[i].sheet);
        EXPECT_EQ(static_cast<std::size_t>(pages[i].id), i);
        EXPECT_STREQ(pages[i].caption.en, english[i]);
        const bool fixed = (i >= 12 && i <= 14) || i >= 18;
        EXPECT_EQ(pages[i].translated, !fixed);
        if (fixed) {
            EXPECT_STREQ(pages[i].caption.ru, pages[i].caption.en);
        }
        EXPECT_FALSE(page_bindings(pages[i].id).empty()) << "a page without controls";
    }
    EXPECT_STREQ(pages[0].caption.ru, "Выводы");
}

TEST(ParameterTables, EveryControlIsOneRowAndEveryBoundFieldHasOneControl) {
    std::set<std::string> names;
    std::set<F> fields;
    std::size_t rows_in_pages = 0;
    for (const ParamPageDef& page : parameter_pages()) rows_in_pages += page_bindings(page.id).size();
    EXPECT_EQ(rows_in_pages, parameter_bindings().size());
    for (const ParamBinding& row : parameter_bindings()) {
        SCOPED_TRACE(row.control);
        EXPECT_TRUE(names.insert(row.control).second) << "control named twice";
        // The language switch takes a name ending in "x" for a control whose text code sets.
        for (const char* own : {row.label_name, row.unit_name})
            if (own != nullptr) {
                EXPECT_NE(std::string(own).back(), 'x') << own;
                EXPECT_TRUE(names.insert(own).second) << own << " named twice";
            }
        EXPECT_EQ(find_binding(row.control), &row);
        if (row.target == BindingTarget::Field) {
            EXPECT_TRUE(fields.insert(row.field).second) << "field bound twice";
            EXPECT_EQ(binding_of(row.field), &row);
        }
        const bool lists = row.codec == ValueCodec::Position || row.codec == ValueCodec::Bits;
        if (lists) {
            EXPECT_FALSE(row.entries().empty());
        }
        for (const TextPair& entry : row.entries()) {
            EXPECT_STRNE(entry.ru, "");
            EXPECT_STRNE(entry.en, "");
        }
        // Every list, edit and spin is labelled by a control of its own; tick boxes, buttons and
        // notes carry their text as their caption.
        {
            EXPECT_STRNE(row.label.en, "");
            EXPECT_STRNE(row.label.ru, "");
        }
        if (row.codec == ValueCodec::Position && row.target == BindingTarget::Field) {
            EXPECT_FALSE(field(row.field).bit_mask);
        }
        if (row.codec == ValueCodec::Bits) {
            EXPECT_TRUE(field(row.field).bit_mask);
        }
    }
    EXPECT_EQ(find_binding(""), nullptr);
    EXPECT_EQ(find_binding("ComboBoxNoSuchThing"), nullptr);
    // Every PARAM integer key but the interception mask (set through "Source...") and the
    // Audi MMI parameter (kept, never shown) has its control.
    for (const FieldDef& def : all_fields()) {
        if (def.section != FileSection::Param || def.kind == FieldKind::Hex) continue;
        if (def.id == F::TOUCH_INTERCEPT_SRCMASK || def.id == F::AUDI_MMI_PARAM) continue;
        EXPECT_NE(binding_of(def.id), nullptr) << def.key;
    }
    EXPECT_EQ(page_bindings(ParamPage::Pins).size(), kPinCount);
}

// ---- the refresh ----------------------------------------------------------------------------

TEST_F(ParameterModel, RefreshReturnsEveryPageAndIsStable) {
    set(F::GPS_NUM, 1);
    set(F::ENC0MODE, 2);
    const auto first = refresh_pages(s);
    const Record after_first = s.record;
    const auto second = refresh_pages(s);
    ASSERT_EQ(first.size(), kParamPageCount);
    EXPECT_EQ(first[7].name, "TabSheetGPS");
    EXPECT_EQ(first[7].caption.en, "GPS port");
    EXPECT_EQ(s.record.raw, after_first.raw);
    for (std::size_t i = 0; i < first.size(); ++i) EXPECT_EQ(first[i].controls.size(), second[i].controls.size());
}

TEST_F(ParameterModel, RefreshWritesTheConsistencyRules) {
    set(F::HEAD_NUM, 0);
    set(F::HEAD_TYPE, 3);
    set(F::IEBUS_MODEBITS, (1u << 3) | (1u << 0) | (1u << 6) | (1u << 12));  // amplifier with others, a reserved bit
    set(F::UARTPARAM_DelayMS, 0);
    set(F::UARTPARAM_ReplayMS, 10001);
    set(F::CAP2RES_NUM, 2);
    set(F::TOUCH_WAKEUP, 1);
    set(F::TOUCH_HIDE, 1);
    set(F::TOUCH_GESTURES, 1);
    s.touch_offset = true;
    refresh_pages(s);
    EXPECT_EQ(get(F::HEAD_TYPE), 0u);
    EXPECT_EQ(get(F::IEBUS_MODEBITS), (1u << 3) | (1u << 12));
    EXPECT_EQ(get(F::UARTPARAM_DelayMS), 500u);
    EXPECT_EQ(get(F::UARTPARAM_ReplayMS), 100u);
    EXPECT_EQ(get(F::TOUCH_WAKEUP) + get(F::TOUCH_HIDE) + get(F::TOUCH_GESTURES), 0u);
    EXPECT_FALSE(s.touch_offset);

    // No IEBUS function: the coordinates box is cleared; a function keeps it.
    set(F::IEBUS_MODEBITS, 0);
    set(F::IEBUS_TOUCH, 1);
    refresh_pages(s);
    EXPECT_EQ(get(F::IEBUS_TOUCH), 0u);
    set(F::IEBUS_MODEBITS, 1u << 2);
    set(F::IEBUS_TOUCH, 1);
    refresh_pages(s);
    EXPECT_EQ(get(F::IEBUS_TOUCH), 1u);
    // UART times within 1-10000 stay.
    set(F::UARTPARAM_DelayMS, 10000);
    set(F::UARTPARAM_ReplayMS, 1);
    refresh_pages(s);
    EXPECT_EQ(get(F::UARTPARAM_DelayMS), 10000u);
    EXPECT_EQ(get(F::UARTPARAM_ReplayMS), 1u);
}

TEST_F(ParameterModel, DependentControlsEnableAndShowAsTheRecordSays) {
    EXPECT_FALSE(view("CSpinEditEncoder1Div").enabled);
    EXPECT_FALSE(view("CheckBoxIRINPINV").enabled);
    EXPECT_FALSE(view("ComboBoxGPSSPEED").enabled);
    EXPECT_FALSE(view("ComboBoxHEADTYPE").enabled);
    EXPECT_FALSE(view("ComboBoxEXTNAVISRCx").enabled);
    EXPECT_FALSE(view("ComboBoxPULSENUM").enabled);
    EXPECT_FALSE(view("EditPULSEMSACTIVE").enabled);
    EXPECT_FALSE(view("ComboBoxGaNetVolumeOut").enabled);
    EXPECT_FALSE(view("EditUARTDELAY").enabled);
    EXPECT_TRUE(view("ComboBoxUARTNum").enabled);
    EXPECT_FALSE(view("EditAMPLDELAYTO").enabled);
    EXPECT_FALSE(view("CheckBoxIEBUSTouch").enabled);
    EXPECT_TRUE(view("ComboBoxIDRIVELIGHT").visible);
    EXPECT_FALSE(view("CheckListBoxCARDSP_BITMASKx").visible);
    EXPECT_FALSE(view("ValueListEditorSourceName").visible);
    EXPECT_FALSE(view("PanelTouchFromCap2Res").visible);
    EXPECT_TRUE(view("SpeedButtonTouchSetup").enabled);

    set(F::ENC0MODE, 3);
    set(F::IRINP_NUM, 12);
    set(F::GPS_NUM, 2);
    set(F::GPS_SPEED, 0);
    set(F::HEAD_NUM, 1);
    set(F::EXTNAVI_NUM, 2);
    set(F::PULSE_NUMSRC, 1);
    set(F::GANET_MODE, 2);
    set(F::UARTPARAM_NUM, 1);
    set(F::IEBUS_MODEBITS, 1u << 3);
    set(F::IDRIVEPARAM_MODE, 1);
    set(F::CARDSP_RUX_PARAM_NUM, 1);
    set(F::USE_NAME, 1);
    set(F::CAP2RES_NUM, 1);
    EXPECT_TRUE(view("CSpinEditEncoder1Div").enabled);
    EXPECT_FALSE(view("CSpinEditEncoder2Div").enabled);
    EXPECT_TRUE(view("CheckBoxIRINPINV").enabled);
    EXPECT_TRUE(view("ComboBoxGPSSPEED").enabled);
    EXPECT_TRUE(view("CheckBox_GPS_COURSE").enabled);
    EXPECT_FALSE(view("ComboBoxGPSPARITYx").enabled) << "rate 'according to USB' fixes the format";
    EXPECT_FALSE(view("ComboBoxGPSDATABITSx").enabled);
    EXPECT_TRUE(view("ComboBoxHEADTYPE").enabled);
    EXPECT_TRUE(view("ComboBoxEXTNAVITYPEx").enabled);
    EXPECT_TRUE(view("ComboBoxPULSENUM").enabled);
    EXPECT_FALSE(view("EditPULSEMSPAUSE").enabled) << "no pulse pin yet";
    EXPECT_TRUE(view("ComboBoxGaNetVolumeOut").enabled);
    EXPECT_TRUE(view("ComboBoxUARTPARITYx").enabled);
    EXPECT_TRUE(view("EditUARTREPLAY").enabled);
    EXPECT_TRUE(view("EditAMPLDELAYTO").enabled);
    EXPECT_FALSE(view("CheckBoxIEBUSTouch").enabled) << "amplifier controls take no coordinates";
    EXPECT_FALSE(view("ComboBoxIDRIVELIGHT").visible);
    EXPECT_TRUE(view("CheckListBoxCARDSP_BITMASKx").visible);
    EXPECT_TRUE(view("ValueListEditorSourceName").visible);
    EXPECT_TRUE(view("PanelTouchFromCap2Res").visible);
    EXPECT_FALSE(view("SpeedButtonTouchSetup").enabled);
    EXPECT_FALSE(view("CheckBoxTouchDXY").enabled);
    EXPECT_FALSE(view("CheckBoxTouchGestures").enabled);

    set(F::GPS_SPEED, 4);
    set(F::PULSE_NUM, 8);
    set(F::IEBUS_MODEBITS, 1u << 7);
    EXPECT_TRUE(view("ComboBoxGPSPARITYx").enabled);
    EXPECT_TRUE(view("ComboBoxGPSSTOPBITSx").enabled);
    EXPECT_TRUE(view("EditPULSEMSPAUSE").enabled);
    EXPECT_TRUE(view("CheckBoxIEBUSTouch").enabled);
}

TEST_F(ParameterModel, ValuesShowThroughTheirTransforms) {
    s.record.set_u16(0, 1500);
    set(F::ENC1DIV, 9);
    set(F::ANA_VOUT1, 130);
    set(F::MINMAX_VOUT2, 165);
    set(F::AMPLPARAM_TO, 60000);
    set(F::IEBUS_MODEBITS, (1u << 2) | (1u << 13));
    set(F::GPS_PARITY, 2);
    set(F::UARTPARAM_PARITY, 1);
    s.record.set_source_name(2, "\xC8\xCC\xDF");  // "ИМЯ" in Windows-1251
    EXPECT_EQ(view("Edit_PAR_LongTO").text.en, "1500");
    EXPECT_EQ(view("CSpinEditEncoder2Div").value, 10);
    EXPECT_EQ(view("CSpinEditEncoder2Div").maximum, 10);
    EXPECT_EQ(view("EditParamControlVOUT1").text.en, "2.50");
    EXPECT_EQ(view("EditParamControlVOUT2minmax").text.en, "3.30");
    EXPECT_EQ(view("EditAMPLDELAYTO").text.en, "60000");
    EXPECT_EQ(view("CheckListBoxIEBUSMODEBITS").bits, 1u << 2) << "reserved bits are not entries";
    EXPECT_EQ(view("CheckListBoxIEBUSMODEBITS").items.size(), 11u);
    EXPECT_EQ(view("ComboBoxGPSPARITYx").selected, 2);
    EXPECT_EQ(view("ComboBoxUARTPARITYx").selected, 1);
    const ControlView names = view("ValueListEditorSourceName");
    ASSERT_EQ(names.items.size(), 8u);
    EXPECT_EQ(names.items[2].en, "ИМЯ");
    EXPECT_EQ(view("ComboBoxGPSDATABITSx").items.at(0).en, "8");
    EXPECT_EQ(view("ComboBoxUARTSTOPBITSx").items.at(0).en, "1");
    // A stored value beyond the list selects nothing.
    set(F::HEAD_NUM, 1);
    set(F::HEAD_TYPE, 200);
    EXPECT_EQ(view("ComboBoxHEADTYPE").selected, -1);
}

TEST_F(ParameterModel, PinListsShowTheirHoldersAndTheOccupationPassResetsModes) {
    set_pin_mode(s.record, Pin::X2_2, 4);
    set_pin_mode(s.record, Pin::X4_2, 2);
    set(F::TOUCH_MODE, 1);
    set(F::GPS_NUM, 1);
    const ControlView x22 = view("ComboBoxX22");
    EXPECT_FALSE(x22.enabled);
    EXPECT_EQ(x22.items.at(0).en, "Touchpanel");
    EXPECT_EQ(x22.items.at(0).ru, "Тачпанель");
    EXPECT_EQ(x22.selected, 0);
    EXPECT_EQ(pin_mode(s.record, Pin::X2_2), 0);
    EXPECT_EQ(view("ComboBoxX43").items.at(0).en, "UART GPS");
    EXPECT_EQ(pin_mode(s.record, Pin::X4_2), 0);
    const ControlView x62 = view("ComboBoxX62");
    EXPECT_TRUE(x62.enabled);
    EXPECT_EQ(x62.items.at(0).en, "According to its purpose");
    EXPECT_EQ(x62.hint.en, "Pin type and default state on power up");
    EXPECT_EQ(view("ComboBoxX57").hint.en, "Default state on power up");
    EXPECT_EQ(view("ComboBoxX56").items.at(1).en, "Power output +5V to 1A");
}

TEST_F(ParameterModel, SourceTextsOfTheTouchModeAndTheUsbTouchList) {
    ControlView mode = view("ComboBoxTouchMode");
    EXPECT_EQ(mode.items.at(4).en, "Source...");
    EXPECT_EQ(view("ComboBoxSource2Touch").items.at(1).en, "Select...");
    EXPECT_EQ(view("ComboBoxSource2Touch").selected, 0);
    set(F::TOUCH_MODE, 4);
    set(F::TOUCH_INTERCEPT_SRCMASK, 0b101);
    set(F::TOUCH_SRCMASK, 0b10000010);
    mode = view("ComboBoxTouchMode");
    EXPECT_EQ(mode.items.at(4).en, "Sources 1 3");
    EXPECT_EQ(mode.items.at(4).ru, "Источники 1 3");
    EXPECT_EQ(mode.selected, 4);
    const ControlView usb = view("ComboBoxSource2Touch");
    EXPECT_EQ(usb.items.at(1).en, " 2 8");
    EXPECT_EQ(usb.selected, 1);
    set(F::TOUCH_INTERCEPT_SRCMASK, 0);
    EXPECT_EQ(view("ComboBoxTouchMode").items.at(4).en, "Sources no");
    EXPECT_EQ(view("ComboBoxTouchMode").items.at(4).ru, "Источники нет");
}

TEST_F(ParameterModel, AnUnusablePulsePinListReadsDisabled) {
    set(F::PULSE_NUM, 8);
    const ControlView pin = view("ComboBoxPULSENUM");
    EXPECT_FALSE(pin.enabled);
    EXPECT_EQ(pin.selected, 0);
    EXPECT_EQ(get(F::PULSE_NUM), 8u) << "the record keeps the pin";
}

// ---- edits ----------------------------------------------------------------------------------

TEST_F(ParameterModel, LongPressOutsideItsRangeStoresAThousandWithoutAMessage) {
    EditOutcome out = edit_text(s, "Edit_PAR_LongTO", "100");
    EXPECT_TRUE(out.accepted);
    EXPECT_TRUE(out.message.empty());
    EXPECT_EQ(out.redraw, Redraw::Page);
    EXPECT_EQ(s.record.long_press_ms(), 1000);
    EXPECT_EQ(view("Edit_PAR_LongTO").text.en, "1000");
    edit_text(s, "Edit_PAR_LongTO", "5000");
    EXPECT_EQ(s.record.long_press_ms(), 5000);
    edit_text(s, "Edit_PAR_LongTO", "abc");
    EXPECT_EQ(s.record.long_press_ms(), 1000);
    edit_text(s, "Edit_PAR_LongTO", "200");
    EXPECT_EQ(s.record.long_press_ms(), 200);
    edit_text(s, "Edit_PAR_LongTO", "5001");
    EXPECT_EQ(s.record.long_press_ms(), 1000);
}

TEST_F(ParameterModel, RangedEditsRefuseBadTextAndNumbersOutsideTheRange) {
    set(F::PULSE_MSACTIVE, 40);
    EditOutcome out = edit_text(s, "EditPULSEMSACTIVE", "12a");
    EXPECT_FALSE(out.accepted);
    EXPECT_EQ(out.message.en, "Enter a value in the specified position");
    EXPECT_EQ(out.focus, EditOutcome::Focus::Control);
    EXPECT_EQ(get(F::PULSE_MSACTIVE), 40u);
    out = edit_text(s, "EditPULSEMSACTIVE", "6000");
    EXPECT_FALSE(out.accepted);
    EXPECT_EQ(out.message.en, "The value must be in the range from 0 to 5000");
    EXPECT_EQ(out.message.ru, "Значение должно быть в диапазоне от 0 до 5000");
    EXPECT_EQ(get(F::PULSE_MSACTIVE), 40u);
    out = edit_text(s, "EditPULSEMSACTIVE", "");
    EXPECT_EQ(out.message.en, "Enter a value in the specified position");
    out = edit_text(s, "EditPULSEMSACTIVE", "5000");
    EXPECT_TRUE(out.accepted);
    EXPECT_EQ(out.redraw, Redraw::All);
    EXPECT_EQ(get(F::PULSE_MSACTIVE), 5000u);
    out = edit_text(s, "EditAMPLDELAYTO", "60000");
    EXPECT_TRUE(out.accepted);
    EXPECT_EQ(get(F::AMPLPARAM_TO), 60000u);
    out = edit_text(s, "EditAMPLDELAYTO", "99999999999999999999999");
    EXPECT_FALSE(out.accepted);
    EXPECT_EQ(out.message.en, "The value must be in the range from 0 to 60000");
    EXPECT_EQ(get(F::AMPLPARAM_TO), 60000u);
}

TEST_F(ParameterModel, UartTimesFallBackSilently) {
    set(F::UARTPARAM_NUM, 1);
    EXPECT_TRUE(edit_text(s, "EditUARTDELAY", "0").message.empty());
    EXPECT_EQ(get(F::UARTPARAM_DelayMS), 500u);
    edit_text(s, "EditUARTREPLAY", "10001");
    EXPECT_EQ(get(F::UARTPARAM_ReplayMS), 100u);
    edit_text(s, "EditUARTREPLAY", "250");
    EXPECT_EQ(get(F::UARTPARAM_ReplayMS), 250u);
}

TEST_F(ParameterModel, VoltagesAreStoredInEitherEncoding) {
    EXPECT_EQ(edit_text(s, "EditParamControlVOUT1", "2,5").redraw, Redraw::All);
    EXPECT_EQ(get(F::ANA_VOUT1), 130u);
    edit_text(s, "EditParamControlVOUT2", "7");
    EXPECT_EQ(get(F::ANA_VOUT2), 5u);
    EXPECT_EQ(view("EditParamControlVOUT2").text.en, "5.00");
    edit_text(s, "EditParamControlVOUT1", "0");
    EXPECT_EQ(get(F::ANA_VOUT1), 255u);
    edit_text(s, "EditParamControlVOUT1minmax", "3.3");
    EXPECT_EQ(get(F::MINMAX_VOUT1), 165u);
    EXPECT_TRUE(edit_text(s, "EditParamControlVOUT2minmax", "volts").message.empty());
    EXPECT_EQ(get(F::MINMAX_VOUT2), 0u);
}

TEST_F(ParameterModel, SpinsStoreTheShownValueMinusOne) {
    EXPECT_TRUE(edit_number(s, "CSpinEditEncoder1Div", 10).accepted);
    EXPECT_EQ(get(F::ENC0DIV), 9u);
    EXPECT_EQ(edit_number(s, "CSpinEditEncoder1Div", 1).redraw, Redraw::Nothing);
    EXPECT_EQ(get(F::ENC0DIV), 0u);
    const EditOutcome out = edit_number(s, "CSpinEditEncoder1Div", 11);
    EXPECT_FALSE(out.accepted);
    EXPECT_EQ(out.message.en, "The value must be in the range from 1 to 10");
    EXPECT_FALSE(edit_number(s, "CSpinEditEncoder1Div", 0).accepted);
    EXPECT_EQ(get(F::ENC0DIV), 0u);
}

TEST_F(ParameterModel, IebusFunctionRules) {
    constexpr std::uint16_t navi = 1u << 0, dvd1 = 1u << 1, amp = 1u << 3, together_navi = 1u << 5,
                            dvd2 = 1u << 6, mam = 1u << 8, together_mam = 1u << 9;
    // Ticking "Amplifier controls" beside the navigator leaves it alone; ticking the
    // navigator afterwards leaves only the navigator.
    EXPECT_EQ(iebus_functions_after(navi, navi | amp), amp);
    EXPECT_EQ(iebus_functions_after(amp, amp | navi), navi);
    // Unticking everything but the amplifier keeps it.
    EXPECT_EQ(iebus_functions_after(amp, amp), amp);
    EXPECT_EQ(iebus_functions_after(amp, 0), 0);
    // The newly ticked one of a pair wins.
    EXPECT_EQ(iebus_functions_after(navi, navi | together_navi), together_navi);
    EXPECT_EQ(iebus_functions_after(together_navi, navi | together_navi), navi);
    EXPECT_EQ(iebus_functions_after(dvd1, dvd1 | dvd2), dvd2);
    EXPECT_EQ(iebus_functions_after(together_mam | dvd1, mam | together_mam | dvd1), mam | dvd1);
    // Reserved bits never come from a tick.
    EXPECT_EQ(iebus_functions_after(0, 0x7800u | dvd1), dvd1);

    set(F::IEBUS_MODEBITS, navi);
    set(F::IEBUS_TOUCH, 1);
    EditOutcome out = edit_bits(s, "CheckListBoxIEBUSMODEBITS", navi | together_navi);
    EXPECT_TRUE(out.accepted);
    EXPECT_EQ(out.redraw, Redraw::All);
    EXPECT_EQ(get(F::IEBUS_MODEBITS), together_navi);
    EXPECT_EQ(get(F::IEBUS_TOUCH), 1u) << "bit 15 survives";
    edit_bits(s, "CheckListBoxIEBUSMODEBITS", together_navi | amp);
    EXPECT_EQ(get(F::IEBUS_MODEBITS), amp);
    EXPECT_FALSE(edit_bits(s, "CheckListBoxIEBUSMODEBITS", 1u << 11).accepted) << "beyond the list";
    EXPECT_EQ(get(F::IEBUS_MODEBITS), amp);
}

TEST_F(ParameterModel, CarDspSendMaskIsStoredBitForBit) {
    EXPECT_TRUE(edit_bits(s, "CheckListBoxCARDSP_BITMASKx", 0x0C).accepted);
    EXPECT_EQ(get(F::CARDSP_RUX_PARAM_MODEBITS), 0x0Cu);
    EXPECT_FALSE(edit_bits(s, "CheckListBoxCARDSP_BITMASKx", 0x10).accepted);
    EXPECT_EQ(get(F::CARDSP_RUX_PARAM_MODEBITS), 0x0Cu);
}

TEST_F(ParameterModel, UsbTouchSourcesAskThenStoreWithAllAndNoneAsAny) {
    set(F::TOUCH_SRCMASK, 0b11);
    EditOutcome out = edit_choice(s, "ComboBoxSource2Touch", 1);
    EXPECT_EQ(out.follow_up, kFollowUpSources);
    EXPECT_EQ(get(F::TOUCH_SRCMASK), 0b11u);
    const auto question = source_question(s, "ComboBoxSource2Touch");
    ASSERT_TRUE(question.has_value());
    EXPECT_EQ(question->first_line.en, "Touch to USB");
    EXPECT_EQ(question->second_line.en, "on sources:");
    EXPECT_EQ(question->preset, 0b11);
    finish_sources(s, "ComboBoxSource2Touch", std::nullopt);
    EXPECT_EQ(get(F::TOUCH_SRCMASK), 0b11u) << "cancelling keeps the mask";
    finish_sources(s, "ComboBoxSource2Touch", std::uint8_t{0xFF});
    EXPECT_EQ(get(F::TOUCH_SRCMASK), 0u) << "all eight sources mean any";
    EXPECT_EQ(view("ComboBoxSource2Touch").selected, 0);
    EXPECT_EQ(view("ComboBoxSource2Touch").items.at(0).en, "Any");
    finish_sources(s, "ComboBoxSource2Touch", std::uint8_t{0b100});
    EXPECT_EQ(get(F::TOUCH_SRCMASK), 0b100u);
    EXPECT_EQ(edit_choice(s, "ComboBoxSource2Touch", 0).redraw, Redraw::All);
    EXPECT_EQ(get(F::TOUCH_SRCMASK), 0u);
    EXPECT_FALSE(edit_choice(s, "ComboBoxSource2Touch", 2).accepted);
    // The same mask given directly, as ztv-tool does.
    edit_bits(s, "ComboBoxSource2Touch", 255);
    EXPECT_EQ(get(F::TOUCH_SRCMASK), 0u);
    edit_bits(s, "ComboBoxSource2Touch", 0x42);
    EXPECT_EQ(get(F::TOUCH_SRCMASK), 0x42u);
    EXPECT_FALSE(edit_bits(s, "ComboBoxSource2Touch", 256).accepted);
}

TEST_F(ParameterModel, TouchModeSourcesGoThroughThePinChecksThenTheWindow) {
    set(F::TOUCH_MODE, 1);
    set(F::TOUCH_INTERCEPT_SRCMASK, 0);
    EditOutcome out = edit_choice(s, "ComboBoxTouchMode", 4);
    EXPECT_TRUE(out.accepted);
    EXPECT_EQ(out.follow_up, kFollowUpSources);
    const auto question = source_question(s, "ComboBoxTouchMode");
    ASSERT_TRUE(question.has_value());
    EXPECT_EQ(question->first_line.en, "Interception touchpanel");
    EXPECT_EQ(question->second_line.en, "in source selection:");
    out = finish_sources(s, "ComboBoxTouchMode", std::uint8_t{0b110});
    EXPECT_EQ(out.redraw, Redraw::All);
    EXPECT_EQ(get(F::TOUCH_MODE), 4u);
    EXPECT_EQ(get(F::TOUCH_INTERCEPT_SRCMASK), 0b110u);
    // Unticking every source switches the panel off.
    finish_sources(s, "ComboBoxTouchMode", std::uint8_t{0});
    EXPECT_EQ(get(F::TOUCH_MODE), 0u);
    // Closing without "OK" with an old mask in force still selects mode 4.
    set(F::TOUCH_INTERCEPT_SRCMASK, 0b1);
    finish_sources(s, "ComboBoxTouchMode", std::nullopt);
    EXPECT_EQ(get(F::TOUCH_MODE), 4u);
    // Choosing a pin-taking mode clears the interception mask.
    edit_choice(s, "ComboBoxTouchMode", 2);
    EXPECT_EQ(get(F::TOUCH_MODE), 2u);
    EXPECT_EQ(get(F::TOUCH_INTERCEPT_SRCMASK), 0u);
}

TEST_F(ParameterModel, PinChecksSpeakThroughTheEdits) {
    set(F::ENC0MODE, 1);
    EditOutcome out = edit_choice(s, "ComboBoxTouchMode", 1);
    EXPECT_FALSE(out.accepted);
    EXPECT_EQ(out.message.en, "You can not use touchpanel,\nbecause her pins are already used to connect the encoder 1.");
    EXPECT_EQ(out.box_type, kBoxInformation);
    EXPECT_EQ(out.redraw, Redraw::All);
    EXPECT_EQ(get(F::TOUCH_MODE), 0u);

    set(F::GPS_NUM, 1);
    out = edit_choice(s, "ComboBoxHEADNUM", 1);
    EXPECT_FALSE(out.accepted);
    EXPECT_EQ(out.message.en,
              "You can not use those pins to connect HEAD UNIT module\nbecause as they are already used to connect UART GPS");
    EXPECT_EQ(get(F::HEAD_NUM), 0u);

    // A pin list held by a function cannot change; a free one stores at once.
    EXPECT_FALSE(edit_choice(s, "ComboBoxX42", 3).accepted);
    EXPECT_EQ(pin_mode(s.record, Pin::X4_2), 0);
    EXPECT_TRUE(edit_choice(s, "ComboBoxX62", 3).accepted);
    EXPECT_EQ(pin_mode(s.record, Pin::X6_2), 3);
    EXPECT_FALSE(edit_choice(s, "ComboBoxX57", 2).accepted) << "X5/7 has two entries";

    // The pulse output needs its pin configured first; X5/7 needs nothing.
    set(F::PULSE_NUMSRC, 3);
    out = edit_choice(s, "ComboBoxPULSENUM", 1);
    EXPECT_FALSE(out.accepted);
    EXPECT_EQ(out.message.en, "First, configure the pin options\nin the \"Pins\"");
    EXPECT_EQ(get(F::PULSE_NUM), 0u);
    EXPECT_TRUE(edit_choice(s, "ComboBoxPULSENUM", 8).accepted);
    EXPECT_EQ(get(F::PULSE_NUM), 8u);
}

TEST_F(ParameterModel, HeadUnitDisconnectResetsItsTypeAndCap2ResClearsTouchOptions) {
    set(F::HEAD_NUM, 2);
    edit_choice(s, "ComboBoxHEADTYPE", 4);
    EXPECT_EQ(get(F::HEAD_TYPE), 4u);
    EXPECT_EQ(edit_choice(s, "ComboBoxHEADNUM", 0).redraw, Redraw::All);
    refresh_pages(s);
    EXPECT_EQ(get(F::HEAD_TYPE), 0u);

    edit_tick(s, "CheckBoxTouchWakeUp", true);
    edit_tick(s, "CheckBoxTouchHide", true);
    edit_tick(s, "CheckBoxTouchDXY", true);
    EXPECT_EQ(get(F::TOUCH_HIDE), 1u);
    EXPECT_TRUE(s.touch_offset);
    EXPECT_TRUE(edit_choice(s, "ComboBoxCap2ResNum", 1).accepted);
    refresh_pages(s);
    EXPECT_EQ(get(F::TOUCH_WAKEUP), 0u);
    EXPECT_EQ(get(F::TOUCH_HIDE), 0u);
    EXPECT_FALSE(s.touch_offset);
}

TEST_F(ParameterModel, TickBoxesAndPlainListsWriteOnlyTheirField) {
    set(F::GPS_PARITY, 2);
    EXPECT_EQ(edit_choice(s, "ComboBoxUARTPARITYx", 1).redraw, Redraw::All);
    EXPECT_EQ(get(F::UARTPARAM_PARITY), 1u);
    EXPECT_EQ(get(F::GPS_PARITY), 2u) << "the UART parity never touches the GPS parity";
    const Record before = s.record;
    EXPECT_EQ(edit_tick(s, "CheckBoxTouchGestures", true).redraw, Redraw::Nothing);
    EXPECT_EQ(get(F::TOUCH_GESTURES), 1u);
    std::size_t changed = 0;
    for (std::size_t i = 0; i < kRecordSize; ++i) changed += before.raw[i] != s.record.raw[i] ? 1 : 0;
    EXPECT_EQ(changed, 1u);
    edit_choice(s, "ComboBoxPS2ROTATEx", 3);
    EXPECT_EQ(s.record.u8(2007) >> 6, 3);
    edit_choice(s, "ComboBoxEXTNAVISRCx", 7);
    EXPECT_EQ(get(F::EXTNAVI_SRC), 7u);
    edit_choice(s, "ComboBoxPULSESRCNUMx", 7);
    EXPECT_EQ(get(F::PULSE_NUMSRC), 7u);
    edit_choice(s, "ComboBoxPS2MNOGx", 15);
    EXPECT_EQ(get(F::PS2PARAM_MNOG), 15u);
    // Refused without a word and without a change: beyond the list, wrong action, no control.
    const Record kept = s.record;
    EXPECT_FALSE(edit_choice(s, "ComboBoxPS2MNOGx", 16).accepted);
    EXPECT_FALSE(edit_choice(s, "ComboBoxPS2MNOGx", -1).accepted);
    EXPECT_FALSE(edit_tick(s, "ComboBoxPS2MNOGx", true).accepted);
    EXPECT_FALSE(edit_text(s, "CheckBoxCANACKED", "1").accepted);
    EXPECT_FALSE(edit_choice(s, "NoSuchControl", 0).accepted);
    EXPECT_TRUE(edit_choice(s, "NoSuchControl", 0).message.empty());
    EXPECT_EQ(kept.raw, s.record.raw);
    EXPECT_TRUE(edit_choice(s, "ComboBoxGPSDATABITSx", 0).accepted);
    EXPECT_EQ(kept.raw, s.record.raw) << "the data-bits list stores nothing";
}

TEST_F(ParameterModel, SourceNamesKeepFiveCharacters) {
    EXPECT_EQ(edit_row(s, "ValueListEditorSourceName", 0, "ABCDEFG").redraw, Redraw::Nothing);
    EXPECT_EQ(s.record.source_name(0), "ABCDE");
    edit_row(s, "ValueListEditorSourceName", 7, "Радио");
    EXPECT_EQ(s.record.source_name(7), "\xD0\xE0\xE4\xE8\xEE");
    edit_row(s, "ValueListEditorSourceName", 0, "");
    EXPECT_EQ(s.record.source_name(0), "");
    EXPECT_FALSE(edit_row(s, "ValueListEditorSourceName", 8, "X").accepted);
    EXPECT_FALSE(edit_row(s, "ValueListEditorSourceName", -1, "X").accepted);
    // Typed (or pasted, or scripted) control characters become blanks, as the file keeps them;
    // a NUL cannot end the name early. Text of any length keeps its first five characters.
    edit_row(s, "ValueListEditorSourceName", 1, std::string("A\tB\nC\0D", 8));
    EXPECT_EQ(s.record.source_name(1), "A B C");
    edit_row(s, "ValueListEditorSourceName", 2, "\x7F\x1B[2J");
    EXPECT_EQ(s.record.source_name(2), "  [2J");
    edit_row(s, "ValueListEditorSourceName", 3, std::string(1 << 20, 'Z'));
    EXPECT_EQ(s.record.source_name(3), "ZZZZZ");
    edit_row(s, "ValueListEditorSourceName", 4, std::string(1 << 20, '\x80'));
    EXPECT_EQ(s.record.source_name(4).size(), 5u);
    // What the controller sent is kept as it is: only typed text is cleaned.
    s.record.set_source_name(5, "\x01\x02");
    EXPECT_EQ(s.record.source_name(5), "\x01\x02");
    EXPECT_TRUE(source_name_accepts_key("Радi", false));
    EXPECT_FALSE(source_name_accepts_key("Радио", false));
    EXPECT_TRUE(source_name_accepts_key("Радио", true));
}

}  // namespace
}  // namespace ztv
