#include "widgets/cp1251_validator.h"

#include <QLineEdit>

#include "common/cp1251.h"

namespace ztv {

QValidator::State Cp1251Validator::validate(QString& input, int& /*pos*/) const {
    const std::string utf8 = input.toStdString();
    return cp1251_to_utf8(utf8_to_cp1251(utf8)) == utf8 ? Acceptable : Invalid;
}

void refuse_outside_cp1251(QLineEdit& field) { field.setValidator(new Cp1251Validator(&field)); }

}  // namespace ztv
