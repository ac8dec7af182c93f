// Text the controller stores is Windows-1251: a character it cannot hold would silently turn
// into "?". Fields that hold such text refuse those characters as they are typed or pasted,
// as they refuse a character beyond their length.
#pragma once

#include <QValidator>

class QLineEdit;

namespace ztv {

class Cp1251Validator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

// Gives the field a Cp1251Validator of its own.
void refuse_outside_cp1251(QLineEdit& field);

}  // namespace ztv
