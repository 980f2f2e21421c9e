#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

#include <array>

#include "app/Clipboard.h"
#include "app/NoticeBoard.h"
#include "app/Shell.h"
#include "app/Ui.h"
#include "qt/HelpWindow.h"

class QLabel;
class QProgressDialog;
class QTimer;

namespace stonewise {

class StringTable;

// The core's questions and messages as real windows: message boxes, the board's message strip,
// the status line, notices and dialogs.
class QtUi final : public Ui {
public:
    QtUi(QWidget* owner, QLabel* status, QLabel* messageStrip);

    void showMessage(std::u16string_view text, std::u16string_view title) override;
    bool ask(std::u16string_view text, std::u16string_view title) override;
    void boardMessage(std::u16string_view text) override;
    void setStatusText(std::u16string_view text) override;
    void notice(int seconds, std::u16string_view title, std::u16string_view text) override;
    void beep() override;
    void alarmMark(int slot, int x, int y, bool picture) override;
    // Where alarm marks go: the board widget and the centre and radius of a point on it.
    void setAlarmSurface(QWidget* board, std::function<QRectF(int x, int y)> pointRect) {
        m_alarmSurface = board;
        m_pointRect = std::move(pointRect);
    }
    void showFreeHandicapPanel(int stones) override;
    void hideFreeHandicapPanel() override;
    BranchDialogResult askNewBranch(const BranchDialogRequest& request) override;
    CommentDialogResult editComment(const CommentDialogRequest& request) override;
    MarkDialogResult editMark(const MarkDialogRequest& request) override;
    ElapsedDialogResult editElapsed(const ElapsedDialogRequest& request) override;
    void openRecordCorrection(std::unique_ptr<RecordCorrection> session) override;
    std::vector<std::string> chooseFilesToOpen(const OpenFilesRequest& request) override;
    std::optional<std::string> chooseFileToSave(const SaveFileRequest& request) override;
    int choosePopupCommand(const PopupMenuRequest& request) override;
    VersionDialogChoice showVersion(const VersionDialogRequest& request) override;
    void setWindowTitle(std::u16string_view title) override;
    void closeMainWindow() override;
    // The library's dialogs.
    void runGameList(GameListForm& form) override;
    bool runCopyMove(CopyMoveForm& form) override;
    void runGroupList(GroupListForm& form) override;
    bool runGroupSettings(GroupSettingsForm& form) override;
    void runMemberList(MemberListForm& form) override;
    bool runMemberSettings(MemberSettingsForm& form) override;
    void runGameResultList(GameResultListForm& form) override;
    bool runGameResult(GameResultForm& form) override;
    bool runSettings(SettingsForm& form) override;
    bool runProblemForm(ProblemForm& form) override;
    std::optional<FontChoice> chooseFont(const FontChoice& current) override;
    bool askChoice(std::u16string_view text, std::u16string_view title, std::u16string_view first,
                   std::u16string_view second) override;
    std::optional<int> chooseName(const NameChoiceRequest& request) override;
    void openTextSearch(TextSearchForm& form) override;
    void closeTextSearch() override;
    // The help window and its picture window.
    void showHelp(HelpForm& form) override;
    void hideHelp() override;
    void showHelpPicture(const std::vector<std::uint8_t>& bitmapFile, std::u16string_view caption) override;
    HelpWindow* helpWindow() const { return m_help; }
    HelpPictureWindow* helpPictureWindow() const { return m_helpPicture; }
    void openPatternSearch(PatternSearchForm& form) override;
    void closePatternSearch() override;
    void runPatternComposition(PatternCompositionForm& form) override;
    bool editGameSettings(GameSettings& settings) override;
    bool runCloudSettings(CloudSettingsForm& form) override;
    StudyBoard* showStudyWindow(bool show) override { return m_studyWindow ? m_studyWindow(show) : nullptr; }
    bool showBookPlayer(bool newBook) override { return m_bookPlayer && m_bookPlayer(newBook); }
    // What opens the Go book player's window (the main window's).
    void setBookPlayerHandler(std::function<bool(bool)> handler) { m_bookPlayer = std::move(handler); }
    // What shows or hides the study board's window (the main window's).
    void setStudyWindowHandler(std::function<StudyBoard*(bool)> handler) { m_studyWindow = std::move(handler); }
    ResultDialogResult chooseResult(const ResultDialogRequest& request) override;
    PlayerDialogResult editPlayer(const PlayerDialogRequest& request) override;
    // Importing: the dialog "ファイルの読み込み" and the progress window (QProgressDialog, events
    // processed at every step so that the window stays usable).
    ImportDialogResult askImportFile(const ImportDialogRequest& request) override;
    void beginProgress(const ImportProgressRequest& request) override;
    bool stepProgress(int done, std::u16string_view text) override;
    void endProgress() override;
    std::optional<PrintOptions> choosePrintOptions(const PrintDialogRequest& request) override;
    PrintResult printPage(const PrintJob& job) override;
    // The numbered texts of the interface language for the windows this Ui makes itself.
    void setStrings(const StringTable* strings) { m_strings = strings; }
    // Where the next pop-up menu opens (global coordinates): the button pressed or the point clicked;
    // a null point opens it at the mouse pointer.
    void setPopupAnchor(QPoint anchor) { m_popupAnchor = anchor; }

    // Called when the user ends free handicap placement from its window.
    void setFreeHandicapDone(std::function<void()> done) { m_freeHandicapDone = std::move(done); }
    // The open record correction dialog, if any (refreshed after board changes).
    QWidget* recordCorrectionDialog() const { return m_correction; }
    // What runs after the search window showed a hit on the board.
    void setSearchHitShown(std::function<void()> shown) { m_searchHitShown = std::move(shown); }
    // The open search window, if any.
    QWidget* textSearchWindow() const { return m_textSearch; }

private:
    QString titleOr(std::u16string_view title) const;
    QString text(int id) const;
    QPoint m_popupAnchor;
    const StringTable* m_strings = nullptr;

    QWidget* m_owner;
    QLabel* m_status;
    NoticeBoard m_notices;
    std::array<QPointer<QWidget>, NoticeBoard::kSlots> m_noticeWindows;
    QTimer* m_noticeTimer = nullptr;
    void updateNotices();
    QLabel* m_strip;
    QTimer* m_stripTimer;
    QPointer<QWidget> m_freeHandicap;
    QLabel* m_freeHandicapLabel = nullptr;
    std::function<void()> m_freeHandicapDone;
    QPointer<QWidget> m_correction;
    QPointer<QWidget> m_textSearch;
    QPointer<HelpWindow> m_help;
    // The help window, lent to a modal dialog, goes back to the main window.
    void returnHelpToMainWindow();
    QPointer<HelpPictureWindow> m_helpPicture;
    QPointer<QWidget> m_patternSearch;
    QByteArray m_textSearchPlace; // where the search window was last, for the rest of the run
    std::function<void()> m_searchHitShown;
    QPointer<QWidget> m_alarmSurface;
    std::function<QRectF(int, int)> m_pointRect;
    AlarmMarks m_alarms;
    std::array<QPointer<QWidget>, AlarmMarks::kSlots> m_alarmWindows;
    QPointer<QProgressDialog> m_progress;
    std::function<StudyBoard*(bool)> m_studyWindow;
    std::function<bool(bool)> m_bookPlayer;
};

// The desktop's file manager, web browser and mail program.
class QtShell final : public Shell {
public:
    bool openFolder(const std::string& path) override;
    bool openUrl(const std::string& url) override;
};

// The system clipboard as Unicode text.
class QtClipboard final : public Clipboard {
public:
    bool hasText() const override;
    std::optional<std::u16string> text() const override;
    bool setText(std::u16string_view text) override;
    bool setFiles(const std::vector<std::string>& paths) override;
    void clear() override;
};

} // namespace stonewise
