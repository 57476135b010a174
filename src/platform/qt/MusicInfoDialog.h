#pragma once

#include <QDialog>
#include <QUrl>

namespace velunor {

// Tells the user where music for the breaks goes, and opens the support page.
class MusicInfoDialog : public QDialog {
    Q_OBJECT

public:
    explicit MusicInfoDialog(QUrl supportPage, QWidget* parent = nullptr);

private:
    void OnTechSupport();

    QUrl m_supportPage;
};

}  // namespace velunor
