#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

namespace velunor {

// The dialogs were laid out in dialog units, which scale with the dialog's font: a horizontal
// unit is a quarter of the font's average character width, a vertical unit an eighth of its
// height. Keeping the units keeps the proportions whatever font the system substitutes.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    // The dialog font: the named face at its point size, with CJK faces to fall back on, since the
    // dialogs' faces are rarely installed outside Windows.
    static QFont DialogFont(const QString& face, int pointSize);

    int X(int units) const { return units * m_charWidth / 4; }
    int Y(int units) const { return units * m_charHeight / 8; }
    QSize Size(int width, int height) const { return QSize(X(width), Y(height)); }
    QRect Rect(int x, int y, int width, int height) const {
        return QRect(X(x), Y(y), X(width), Y(height));
    }

private:
    int m_charWidth;
    int m_charHeight;
};

}  // namespace velunor
