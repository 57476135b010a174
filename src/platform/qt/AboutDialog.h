#pragma once

#include <QDialog>

namespace velunor {

// The program's name, version and rights notice.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace velunor
