#pragma once

#include <QRect>
#include <string_view>

#include "platform/qt/dialogs/DialogUnits.h"

class QCheckBox;
class QDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace velunor {

// Builds a dialog from its template: the template's font, its fixed size, a caption bar without
// close box, and controls at their template positions in dialog units. Controls are made in the
// order of the calls, which is also the order Tab moves through them.
class TemplateLayout {
public:
    TemplateLayout(QDialog& dialog, std::string_view caption, int width, int height);

    const DialogUnits& Units() const { return m_units; }

    QGroupBox* GroupBox(std::string_view text, const QRect& units);
    QPushButton* Button(std::string_view text, const QRect& units);
    QCheckBox* CheckBox(std::string_view text, const QRect& units);
    QLabel* Label(std::string_view text, const QRect& units);
    // Takes digits only, of any number.
    QLineEdit* DigitsEdit(const QRect& units);

private:
    QRect Pixels(const QRect& units) const;

    QDialog& m_dialog;
    DialogUnits m_units;
};

}  // namespace velunor
