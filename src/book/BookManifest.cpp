#include "book/BookManifest.h"

#include <charconv>
#include <sstream>

#include "book/BookArrays.h"
#include "formats/GameFileLoader.h"
#include "record/Text.h"
#include "store/FileIo.h"
#include "store/GameFile.h"

namespace stonewise {

namespace {

std::string trim(std::string s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

bool parseNumber(const std::string& text, std::uint32_t& out) {
    const char* end = text.data() + text.size();
    const auto r = std::from_chars(text.data(), end, out);
    return r.ec == std::errc() && r.ptr == end;
}

bool endsWithNoCase(const std::string& s, const std::string& tail) {
    if (s.size() < tail.size()) return false;
    for (std::size_t i = 0; i < tail.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(s[s.size() - tail.size() + i])) != tail[i]) return false;
    return true;
}

class ManifestReader {
public:
    ManifestReader(std::string folder, std::vector<std::string> more) : m_folder(std::move(folder)) {
        m_folders.push_back(m_folder);
        for (std::string& f : more) m_folders.push_back(std::move(f));
        for (std::string& f : m_folders)
            if (!f.empty() && f.back() != '/') f += '/';
    }

    BookManifestRead read() {
        BookManifestRead result;
        const std::string manifest = m_folders[0] + "book.txt";
        std::optional<std::vector<std::uint8_t>> bytes = readWholeFile(manifest);
        if (!bytes) return fail(result, manifest + ": cannot be read");
        std::istringstream in(std::string(bytes->begin(), bytes->end()));
        std::string line;
        while (std::getline(in, line)) {
            ++m_line;
            line = trim(line);
            if (line.empty() || line[0] == '#') continue;
            if (line == "[entry]") {
                result.source.entries.emplace_back();
                continue;
            }
            const auto colon = line.find(':');
            if (colon == std::string::npos) return fail(result, where() + "a line without \"key: value\"");
            const std::string key = trim(line.substr(0, colon)), value = trim(line.substr(colon + 1));
            const bool ok = result.source.entries.empty() ? bookLine(result.source, key, value)
                                                          : entryLine(result.source.entries.back(), key, value);
            if (!ok) return fail(result, where() + m_error);
        }
        if (result.source.title.empty()) return fail(result, manifest + ": the book has no title");
        if (result.source.entries.empty()) return fail(result, manifest + ": the book has no [entry]");
        result.ok = true;
        return result;
    }

private:
    BookManifestRead& fail(BookManifestRead& r, std::string error) {
        r.ok = false;
        r.error = std::move(error);
        return r;
    }
    std::string where() const { return m_folders[0] + "book.txt:" + std::to_string(m_line) + ": "; }
    bool error(std::string text) {
        m_error = std::move(text);
        return false;
    }

    std::optional<std::string> find(const std::string& name) {
        for (const std::string& f : m_folders)
            if (pathExists(f + name)) return f + name;
        return std::nullopt;
    }
    bool load(const std::string& name, std::vector<std::uint8_t>& out) {
        std::optional<std::string> path = find(name);
        std::optional<std::vector<std::uint8_t>> bytes = path ? readWholeFile(*path) : std::nullopt;
        if (!bytes) return error("\"" + name + "\" cannot be read");
        out = std::move(*bytes);
        return true;
    }

    bool bookLine(BookSource& s, const std::string& key, const std::string& value) {
        std::uint32_t n = 0;
        if (key == "title") s.title = fromUtf8(value);
        else if (key == "speed" && parseNumber(value, n) && n <= 100) s.speed = static_cast<std::uint16_t>(n);
        else return error("unknown or bad book line \"" + key + "\"");
        return true;
    }

    bool entryLine(BookSourceEntry& e, const std::string& key, const std::string& value) {
        std::uint32_t n = 0;
        if (key == "title") {
            e.title = fromUtf8(value);
        } else if (key == "text") {
            std::vector<std::uint8_t> bytes;
            if (!load(value, bytes)) return false;
            const std::string text(bytes.begin(), bytes.end());
            if (!isValidUtf8(text)) return error("\"" + value + "\" is not UTF-8");
            e.text = lineBreaks(fromUtf8(text));
        } else if (key == "picture") {
            e.pictureIsBmp = endsWithNoCase(value, ".bmp");
            if (!e.pictureIsBmp && !endsWithNoCase(value, ".jpg") && !endsWithNoCase(value, ".jpeg"))
                return error("a picture is a .bmp or .jpg file");
            return load(value, e.picture);
        } else if (key == "game") {
            return game(e, value);
        } else if (key == "audio") {
            if (!endsWithNoCase(value, ".mp3")) return error("audio is an .mp3 file");
            return load(value, e.audio);
        } else if (key == "kind") {
            if (value == "page") e.kind = static_cast<std::uint16_t>(BookPageKind::Page);
            else if (value == "trace") e.kind = static_cast<std::uint16_t>(BookPageKind::Trace);
            else if (value == "problem") e.kind = static_cast<std::uint16_t>(BookPageKind::Problem);
            else return error("kind is page, trace or problem");
        } else if (key == "moves") {
            std::istringstream in(value);
            std::string a, b;
            std::uint32_t first = 0, last = 0;
            if (!(in >> a >> b) || !parseNumber(a, first) || !parseNumber(b, last) || first > 0xFFFF || last > 0xFFFF)
                return error("moves are two numbers");
            e.startMove = static_cast<std::uint16_t>(first);
            e.endMove = static_cast<std::uint16_t>(last);
        } else if (key == "corner" && parseNumber(value, n) && n < 16) {
            e.displayFlags = static_cast<std::uint8_t>((e.displayFlags & 0xF0) | n);
        } else if (key == "numbers" && parseNumber(value, n) && n < 16) {
            e.displayFlags = static_cast<std::uint8_t>((e.displayFlags & 0x0F) | (n << 4));
        } else if (key == "category" && parseNumber(value, n)) {
            e.category = n;
        } else if (key == "duration" && parseNumber(value, n)) {
            e.duration = n;
        } else {
            return error("unknown or bad entry line \"" + key + "\"");
        }
        return true;
    }

    bool game(BookSourceEntry& e, const std::string& name) {
        std::optional<std::string> path = find(name);
        if (!path) return error("\"" + name + "\" cannot be read");
        LoadedGame g = loadGameFile(*path, LoadRequest{}, LoadSettings{});
        if (!g.ok) return error("\"" + name + "\": " + std::string(loadFailureText(g.failure)));
        e.gameName = g.info.name.empty() ? e.title : g.info.name;
        e.gameBlock = encodeGameFile(*g.main, &g.info, NodeForm::Compact);
        return true;
    }

    // Line breaks as the book's text pane shows them: "\r\n".
    static std::u16string lineBreaks(const std::u16string& text) {
        std::u16string out;
        for (char16_t c : text) {
            if (c == u'\r') continue;
            if (c == u'\n') out += u'\r';
            out += c;
        }
        while (!out.empty() && (out.back() == u'\n' || out.back() == u'\r')) out.pop_back();
        return out;
    }

    std::string m_folder;
    std::vector<std::string> m_folders;
    int m_line = 0;
    std::string m_error;
};

} // namespace

BookManifestRead readBookSource(const std::string& folder, const std::vector<std::string>& more) {
    return ManifestReader(folder, more).read();
}

} // namespace stonewise
