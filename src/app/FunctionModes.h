#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace stonewise {

class GameStore;
struct SettingsRecord;

// The working modes of the board window; the same bits are the group types of the store.
enum FunctionMode : int {
    kModeNone = 0,
    kModeMailGo = 1,
    kModeMailGoFinished = 2,
    kModePlayAndRecord = 16,
    kModePlayFinished = 32,
    kModeProblems = 64,
    kModeViewing = 256,
    kModeBook = 4096,
    kModeBookExternal = 4608,
    kModeSearch = 8192,
};

// The title the secondary bar shows for a mode ("メールモード", "棋譜鑑賞\r\nモード", …); empty for none.
std::u16string_view modeTitle(int mode);

// The layout a tool-button bar takes: one per mode, plus the one of the pattern search and other
// board windows.
enum class BarLayout { None, MailGo, Finished, PlayAndRecord, Problems, Viewing, Book, SearchAndOthers };

// The layouts of the main and the secondary bar for a mode on the main board window (any other
// board window takes the search layouts).
BarLayout mainBarLayout(int mode, bool mainBoard);
BarLayout secondaryBarLayout(int mode, bool mainBoard);

// What the mode change needs from the window that hosts it.
class ModeHost {
public:
    virtual ~ModeHost() = default;
    // Stops an animation or flash display, closes a pending panel and leaves the current display.
    virtual void leaveDisplay() = 0;
    // Makes `group` current and shows it (its game list, its game) in `mode`.
    virtual void openGroup(int group, int mode) = 0;
    // The bars take new layouts (each only when it changed) and the title.
    virtual void layoutBars(BarLayout main, BarLayout secondary, std::u16string_view title) = 0;
};

// The working mode of the main board window: which mode is on, the switch between a live group and
// its finished-games group, and the refusal of the Go book mode until its player is ready.
class FunctionModes {
public:
    FunctionModes(GameStore& store, SettingsRecord& settings, ModeHost& host, bool mainBoard = true);

    int mode() const { return m_mode; }
    // 2 or 32 when a finished group can be shown, 1 or 16 while it is shown (the way back), else 0.
    int finishedTarget() const { return m_finishedTarget; }
    bool finishedViewShown() const { return m_finishedTarget == kModeMailGo || m_finishedTarget == kModePlayAndRecord; }
    void setBookReady(bool ready) { m_bookReady = ready; }

    // Changes the mode; false (and nothing changed) for the Go book before its player is ready, or
    // when no group serves the mode.
    bool setMode(int mode);
    // Switches between the live group and its finished-games group (32818, 32913).
    void toggleFinishedView();

private:
    bool groupTypeExists(std::uint32_t type) const;
    std::optional<int> firstUsableGroup() const;

    GameStore& m_store;
    SettingsRecord& m_settings;
    ModeHost& m_host;
    bool m_mainBoard;
    int m_mode = kModeNone;
    int m_finishedTarget = 0;
    std::optional<int> m_liveGroup; // remembered while the finished view is shown
    bool m_bookReady = false;
};

} // namespace stonewise
