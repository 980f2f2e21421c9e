#pragma once

#include <string>
#include <vector>

#include "app/Importer.h"

namespace stonewise::test {

// An import without a window: no dialog (the import's preset choices are used), no temporary
// game; it keeps every outcome and every message.
class ImportRecorder final : public ImportFrontEnd {
public:
    ImportDialogResult askImport(const ImportDialogRequest&) override { return {}; }
    void showMessage(std::u16string_view text, std::u16string_view) override { messages.emplace_back(text); }
    bool takeTemporary(LoadedGame&) override { return false; }
    void reported(const ImportReport& r) override { reports.push_back(r); }
    std::vector<std::u16string> messages;
    std::vector<ImportReport> reports;
};

} // namespace stonewise::test
