#include "platform/qt/dialogs/DialogUnits.h"

#include <QFontMetrics>
#include <QStringList>
#include <algorithm>

namespace velunor {

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    // The average width of the Latin letters, rounded, as the dialog manager measures it.
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_charWidth = std::max(1, (letters / 26 + 1) / 2);
    m_charHeight = std::max(1, metrics.height());
}

QFont DialogUnits::DialogFont(const QString& face, int pointSize) {
    QFont font;
    font.setFamilies(QStringList{face, QStringLiteral("SimSun"),
                                 QStringLiteral("WenQuanYi Zen Hei"),
                                 QStringLiteral("Noto Sans CJK SC")});
    font.setPointSize(pointSize);
    return font;
}

}  // namespace velunor
