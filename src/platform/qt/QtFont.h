#pragma once

#include <QFont>
#include <utility>

#include "render/Canvas.h"

namespace velunor {

class QtFont : public Font {
public:
    explicit QtFont(QFont font) : m_font(std::move(font)) {}
    const QFont& Get() const { return m_font; }

private:
    QFont m_font;
};

}  // namespace velunor
