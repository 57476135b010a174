#pragma once

#include <optional>
#include <string>
#include <vector>

#include "settings/MediaLibraryView.h"
#include "settings/SettingsView.h"

namespace velunor::test {

// Both dialogs as their presenters see them, noting what they were told and what the user did.
class RecordingViews : public SettingsView, public MediaLibraryView {
public:
    void ShowValues(const SettingsValues& values) override { entered = values; }
    SettingsValues EnteredValues() const override { return entered; }
    void SetSaveEnabled(bool) override {}
    void RunMusicLibrary() override {}
    void RunPictureLibrary() override {}
    void OpenDocument(const std::string& path) override { opened = path; }
    void InsertRow(std::size_t at, const std::string& name) override {
        rows.insert(rows.begin() + std::ptrdiff_t(at), name);
    }
    void RemoveRow(std::size_t at) override { rows.erase(rows.begin() + std::ptrdiff_t(at)); }
    std::optional<std::size_t> SelectedRow() const override { return selected; }
    std::optional<std::vector<std::string>> ChooseFiles() override { return chosen; }
    void ShowMessage(std::string_view text, MessageKind kind) override {
        messages.push_back((kind == MessageKind::Failure ? "! " : "") + std::string(text));
    }
    void Close() override { ++closed; }

    SettingsValues entered;  // what the user typed
    std::string opened;
    std::vector<std::string> rows;
    std::optional<std::size_t> selected;
    std::optional<std::vector<std::string>> chosen;  // the files picked to add; nothing: Cancel
    std::vector<std::string> messages;               // "! " before those shown as failures
    int closed = 0;
};

}  // namespace velunor::test
