#include "platform/qt/dialogs/TemplateLayout.h"

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace velunor {
namespace {

// The templates name a bitmap face that hardly any desktop has; DialogFont falls back to a CJK
// face.
QFont TemplateFont(QDialog& dialog) {
    dialog.setFont(DialogUnits::DialogFont(QStringLiteral("Terminal"), 9));
    return dialog.font();
}

template <typename Control>
Control* Placed(Control* control, const QRect& pixels) {
    control->setGeometry(pixels);
    return control;
}

// Readability wins over the template: a text that the substituted font makes wider than its
// place gets the room it needs.
template <typename Control>
Control* WideEnough(Control* control) {
    if (control->sizeHint().width() > control->width()) {
        control->resize(control->sizeHint().width(), control->height());
    }
    return control;
}

}  // namespace

TemplateLayout::TemplateLayout(QDialog& dialog, std::string_view caption, int width, int height)
    : m_dialog(dialog), m_units(TemplateFont(dialog)) {
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    dialog.setWindowTitle(QString::fromUtf8(caption));
    dialog.setFixedSize(m_units.Size(width, height));
}

QGroupBox* TemplateLayout::GroupBox(std::string_view text, const QRect& units) {
    return Placed(new QGroupBox(QString::fromUtf8(text), &m_dialog), Pixels(units));
}

QPushButton* TemplateLayout::Button(std::string_view text, const QRect& units) {
    return Placed(new QPushButton(QString::fromUtf8(text), &m_dialog), Pixels(units));
}

QCheckBox* TemplateLayout::CheckBox(std::string_view text, const QRect& units) {
    return WideEnough(Placed(new QCheckBox(QString::fromUtf8(text), &m_dialog), Pixels(units)));
}

QLabel* TemplateLayout::Label(std::string_view text, const QRect& units) {
    auto* label = new QLabel(QString::fromUtf8(text), &m_dialog);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return WideEnough(Placed(label, Pixels(units)));
}

// The ASCII digits only, which the minute values are read from; the full-width digits of a Chinese
// input method stay out.
QLineEdit* TemplateLayout::DigitsEdit(const QRect& units) {
    auto* edit = new QLineEdit(&m_dialog);
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    return Placed(edit, Pixels(units));
}

QRect TemplateLayout::Pixels(const QRect& units) const {
    return m_units.Rect(units.x(), units.y(), units.width(), units.height());
}

}  // namespace velunor
