#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <ostream>

#include "platform/qt/dialogs/DialogServices.h"

// Failures show texts as texts.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace velunor::test {

// Message boxes, the file chooser and the document opener that only note what they were asked.
struct RecordingServices {
    DialogServices Services() {
        return DialogServices{[this](QWidget*, const QString& text) { messages << text; },
                              [this](QWidget*, const QStringList& filters) {
                                  chooserFilters = filters;
                                  return chosenFiles;
                              },
                              [this](const QString& path) { opened << path; }};
    }

    QStringList messages;
    QStringList chosenFiles;  // what the file chooser answers; empty is a cancel
    QStringList chooserFilters;
    QStringList opened;
};

inline QString TextOf(const QAbstractButton& control) {
    return control.text();
}
inline QString TextOf(const QLabel& control) {
    return control.text();
}
inline QString TextOf(const QGroupBox& control) {
    return control.title();
}

template <typename Control = QAbstractButton>
Control* FindByText(const QWidget& dialog, const QString& text) {
    for (Control* control : dialog.findChildren<Control*>()) {
        if (TextOf(*control) == text) {
            return control;
        }
    }
    ADD_FAILURE() << "no control " << text.toStdString();
    return nullptr;
}

inline std::string TextOrClass(const QWidget& widget) {
    const QVariant text = widget.property("text");
    return text.isValid() ? text.toString().toStdString() : widget.metaObject()->className();
}

// Shows the dialog as the desktop would, with the keyboard focus in it.
inline void ShowActive(QWidget& dialog) {
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
}

// Does what is asked in the modal dialog that the next call opens, as soon as it shows.
inline void InNextModal(std::function<void(QWidget&)> action) {
    QTimer::singleShot(0, [action = std::move(action)] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        action(*modal);
    });
}

// Each label, check box, button and group box title has room for its whole text, inside the
// dialog and clear of the other controls.
inline void ExpectNoTextClipped(const QWidget& dialog) {
    const auto direct = Qt::FindDirectChildrenOnly;
    for (const QLabel* label : dialog.findChildren<QLabel*>(direct)) {
        EXPECT_LE(label->sizeHint().width(), label->width()) << label->text().toStdString();
        EXPECT_LE(label->sizeHint().height(), label->height()) << label->text().toStdString();
    }
    for (const QCheckBox* box : dialog.findChildren<QCheckBox*>(direct)) {
        EXPECT_LE(box->sizeHint().width(), box->width()) << box->text().toStdString();
    }
    for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>(direct)) {
        const QFontMetrics metrics(button->font());
        // Room for the text and the frame on either side.
        EXPECT_LE(metrics.horizontalAdvance(button->text()) + 8, button->width())
            << button->text().toStdString();
        EXPECT_LE(metrics.height() + 4, button->height()) << button->text().toStdString();
    }
    for (const QGroupBox* group : dialog.findChildren<QGroupBox*>(direct)) {
        const QFontMetrics metrics(group->font());
        EXPECT_LE(metrics.horizontalAdvance(group->title()) + 16, group->width())
            << group->title().toStdString();
    }
    QList<QWidget*> controls;
    for (QWidget* child : dialog.findChildren<QWidget*>(direct)) {
        EXPECT_TRUE(dialog.rect().contains(child->geometry())) << TextOrClass(*child);
        if (!qobject_cast<QGroupBox*>(child) && child->isVisible()) {
            controls << child;
        }
    }
    for (const QWidget* one : controls) {
        for (const QWidget* other : controls) {
            EXPECT_TRUE(one == other || !one->geometry().intersects(other->geometry()))
                << TextOrClass(*one) << " overlaps " << TextOrClass(*other);
        }
    }
}

}  // namespace velunor::test
