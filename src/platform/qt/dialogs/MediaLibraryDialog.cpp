#include "platform/qt/dialogs/MediaLibraryDialog.h"

#include <QFile>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <utility>

#include "platform/qt/dialogs/LibraryFileFilters.h"
#include "platform/qt/dialogs/TemplateLayout.h"

namespace velunor {
namespace {

constexpr int kColumnPixels = 160;

// File names are bytes; the desktop's file name encoding turns them into text and back.
QString NameText(const std::string& name) {
    return QFile::decodeName(QByteArray::fromStdString(name));
}

std::string NameBytes(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

}  // namespace

MediaLibraryDialog::MediaLibraryDialog(const MediaLibraryKind& kind, BreakScheduler& scheduler,
                                       const ProgramPaths& paths, DialogServices services,
                                       QWidget* parent)
    : ModalDialog(parent),
      m_kind(kind),
      m_services(std::move(services)),
      m_presenter(m_kind, *this, scheduler, paths) {
    Build();
}

MediaLibraryDialog::MediaLibraryDialog(const MediaLibraryKind& kind, BreakScheduler& scheduler,
                                       const ProgramPaths& paths, MediaPlayer& player,
                                       DialogServices services, QWidget* parent)
    : ModalDialog(parent),
      m_kind(kind),
      m_services(std::move(services)),
      m_presenter(m_kind, *this, scheduler, paths, player) {
    Build();
}

// In the order of the template, which is also the order Tab goes through the controls. The music
// library's template is one unit narrower; nothing inside it moves.
void MediaLibraryDialog::Build() {
    const bool music = m_kind.subFolder == kMusicLibrary.subFolder;
    TemplateLayout layout(*this, m_kind.caption, music ? 177 : 178, 170);
    layout.GroupBox(m_kind.caption, {11, 11, 153, 127});
    BuildList(layout.Units().Rect(26, 28, 123, 81));
    auto* add = layout.Button("添加", {35, 115, 47, 15});
    auto* remove = layout.Button("删除", {91, 115, 47, 16});
    auto* done = layout.Button("确定", {92, 144, 47, 15});
    connect(add, &QPushButton::clicked, this, [this] { m_presenter.OnAdd(); });
    connect(remove, &QPushButton::clicked, this, [this] { m_presenter.OnDelete(); });
    connect(done, &QPushButton::clicked, this, [this] { m_presenter.OnDone(); });
    m_presenter.OnInitDialog();
}

// A one-column list with grid lines. The logic keeps the rows in order; the list must not sort
// them again by its own rules.
void MediaLibraryDialog::BuildList(const QRect& geometry) {
    m_list = new QTableWidget(0, 1, this);
    m_list->setGeometry(geometry);
    m_list->setHorizontalHeaderLabels({QString::fromUtf8(m_kind.columnHeading)});
    m_list->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_list->horizontalHeader()->setStretchLastSection(false);
    m_list->horizontalHeader()->setHighlightSections(false);
    m_list->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_list->setColumnWidth(0, kColumnPixels);
    m_list->verticalHeader()->hide();
    m_list->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_list->setShowGrid(true);
    m_list->setSortingEnabled(false);
    m_list->setWordWrap(false);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    // The selected row keeps its colour while a button has the focus.
    QPalette palette = m_list->palette();
    palette.setBrush(QPalette::Inactive, QPalette::Highlight,
                     palette.brush(QPalette::Active, QPalette::Highlight));
    palette.setBrush(QPalette::Inactive, QPalette::HighlightedText,
                     palette.brush(QPalette::Active, QPalette::HighlightedText));
    m_list->setPalette(palette);
}

void MediaLibraryDialog::InsertRow(std::size_t position, const std::string& name) {
    const int row = static_cast<int>(position);
    m_list->insertRow(row);
    m_list->setItem(row, 0, new QTableWidgetItem(NameText(name)));
}

// As after a delete in any list: nothing is selected, so a second press deletes nothing by
// accident.
void MediaLibraryDialog::RemoveRow(std::size_t position) {
    m_list->removeRow(static_cast<int>(position));
    m_list->clearSelection();
}

std::optional<std::size_t> MediaLibraryDialog::SelectedRow() const {
    const QModelIndexList rows = m_list->selectionModel()->selectedRows();
    if (rows.isEmpty()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(rows.first().row());
}

std::optional<std::vector<std::string>> MediaLibraryDialog::ChooseFiles() {
    const QStringList chosen = m_services.chooseFiles(this, LibraryFileFilters(m_kind));
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    std::vector<std::string> paths;
    paths.reserve(static_cast<std::size_t>(chosen.size()));
    for (const QString& path : chosen) {
        paths.push_back(NameBytes(path));
    }
    return paths;
}

void MediaLibraryDialog::ShowMessage(std::string_view text, MessageKind kind) {
    m_services.showMessage(this, QString::fromUtf8(text), kind);
}

void MediaLibraryDialog::Close() {
    done(QDialog::Rejected);
}

void MediaLibraryDialog::OnKeyboardClose() {
    m_presenter.OnDone();
}

}  // namespace velunor
