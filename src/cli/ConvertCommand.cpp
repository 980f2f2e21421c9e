// stonewise-cli convert: reads an SGF or UGF file and writes it as the program's SGF.
#include <string>
#include <vector>

#include "cli/CliCommand.h"
#include "formats/GameFileLoader.h"
#include "formats/MemberDirectory.h"
#include "formats/SgfWriter.h"
#include "record/Text.h"

namespace stonewise::cli {

namespace {

constexpr const char* kUsage = "usage: stonewise-cli convert IN OUT.sgf [--encoding sjis|utf8|utf16] [--cp1252]\n";

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::vector<std::string> files;
    SgfEncoding encoding = SgfEncoding::SystemCodePage;
    bool latin = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--encoding") {
            if (i + 1 >= args.size()) {
                err << "stonewise-cli convert: --encoding needs sjis, utf8 or utf16\n" << kUsage;
                return 2;
            }
            const std::string& e = args[++i];
            if (e == "sjis") encoding = SgfEncoding::SystemCodePage;
            else if (e == "utf8") encoding = SgfEncoding::Utf8;
            else if (e == "utf16") encoding = SgfEncoding::Utf16;
            else {
                err << "stonewise-cli convert: unknown encoding \"" << e << "\" (sjis, utf8 or utf16)\n";
                return 2;
            }
        } else if (a == "--cp1252") {
            latin = true;
        } else if (!a.empty() && a[0] == '-') {
            err << "stonewise-cli convert: unknown option " << a << "\n" << kUsage;
            return 2;
        } else {
            files.push_back(a);
        }
    }
    if (files.size() != 2) {
        err << kUsage;
        return 2;
    }
    InMemoryMembers members;
    LoadSettings settings;
    settings.codePage = latin ? CodePage::Windows1252 : CodePage::Cp932;
    settings.members = &members;
    LoadRequest request;
    const LoadedGame game = loadGameFile(files[0], request, settings);
    if (!game.ok) {
        err << "stonewise-cli convert: " << files[0] << ": " << loadFailureText(game.failure) << "\n";
        for (const LoadMessage& m : game.messages) err << "stonewise-cli convert: " << toUtf8(m.text) << "\n";
        return 1;
    }
    for (const LoadMessage& m : game.messages) err << "stonewise-cli convert: " << toUtf8(m.text) << "\n";
    SgfWriteOptions options;
    options.encoding = encoding;
    options.codePage = settings.codePage;
    options.members = &members;
    SgfWriteResult written;
    if (!saveSgfFile(files[1], *game.main, game.info, options, &written)) {
        err << "stonewise-cli convert: " << files[1] << ": cannot be written (the old file, if any, is unchanged)\n";
        return 1;
    }
    if (written.fellBackToUtf8)
        out << "note: some text has no form in " << (latin ? "Windows-1252" : "Shift_JIS")
            << "; the file was written in UTF-8\n";
    if (game.dropped > 0)
        out << "note: " << game.dropped << " nodes or variations beyond the record's limits were left out\n";
    if (const std::u16string notice = loadNoticeText(game); !notice.empty()) out << "note: " << toUtf8(notice) << "\n";
    return 0;
}

} // namespace

CliCommand convertCommand() {
    return {"convert", "convert IN OUT.sgf [--encoding sjis|utf8|utf16] [--cp1252]",
            "Reads an SGF or UGF file and writes it as SGF (default Shift_JIS; text Shift_JIS cannot hold makes it "
            "UTF-8); the output file is replaced atomically",
            &run};
}

} // namespace stonewise::cli
