// Game-record files of the main window: opening, the clipboard, drops and saving as SGF.
#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QMimeData>

#include "app/Application.h"
#include "app/Clock.h"
#include "app/GameSession.h"
#include "formats/GameFileLoader.h"
#include "formats/SgfWriter.h"
#include "qt/MainWindow.h"
#include "qt/QtText.h"
#include "qt/QtUi.h"
#include "store/GameStore.h"
#include "store/SettingsRecord.h"
#include "store/StoreMemberDirectory.h"

namespace stonewise {

namespace {

constexpr std::u16string_view kReadTitle = u"ファイル読み込み";

// What a read needs: the code page, the members the players are found among (new names become
// members), and the time the game arrived.
struct ReadContext {
    std::optional<StoreMemberDirectory> members;
    LoadSettings settings;
};

ReadContext readContextFor(Application& app) {
    ReadContext c;
    LoadSettings& s = c.settings;
    s.codePage = systemCodePage(app.japanese());
    const DateTime now = SystemClock().localNow();
    if (GameStore* store = app.store()) {
        c.members.emplace(store->members(), GameDate{static_cast<std::uint16_t>(now.year), static_cast<std::uint16_t>(now.month),
                                                     static_cast<std::uint8_t>(now.day), 0});
        s.members = &*c.members;
    }
    GameTime t;
    t.year = static_cast<std::uint16_t>(now.year);
    t.month = static_cast<std::uint16_t>(now.month);
    t.day = static_cast<std::uint8_t>(now.day);
    t.hour = static_cast<std::uint8_t>(now.hour);
    t.minute = static_cast<std::uint8_t>(now.minute);
    t.second = static_cast<std::uint8_t>(now.second);
    s.now = t;
    return c;
}

QString lastFolder;

} // namespace

void MainWindow::openFile(const QString& path) {
    LoadRequest request;
    ReadContext context = readContextFor(m_app);
    LoadedGame game = loadGameFile(path.toStdString(), request, context.settings);
    for (const LoadMessage& m : game.messages) m_ui->showMessage(m.text, m.title.empty() ? kReadTitle : m.title);
    if (!game.ok) {
        if (game.messages.empty())
            m_ui->showMessage(u"棋譜ファイルを読み込めませんでした。\r\n" + u16(path) + u"\r\n" +
                                  fromUtf8(loadFailureText(game.failure)),
                              kReadTitle);
        return;
    }
    showReadGame(std::move(game.main), game.info);
}

void MainWindow::openFiles() {
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("棋譜ファイルを開く"), lastFolder,
        QStringLiteral("SGF files {*.sgf} (*.sgf);;UGF files {*.ugf;*.ugi} (*.ugf *.ugi);;All files (*)"));
    if (path.isEmpty()) return;
    lastFolder = QFileInfo(path).absolutePath();
    openFile(path);
}

void MainWindow::openClipboard() { openSgfText(QApplication::clipboard()->text()); }

void MainWindow::openSgfText(const QString& text) {
    LoadedGame game;
    if (!text.isEmpty()) {
        ReadContext context = readContextFor(m_app);
        game = loadGameBytes(toUtf8(u16(text)), GameFileKind::Sgf, {}, LoadRequest{}, context.settings);
    }
    if (!game.ok) {
        m_ui->showMessage(u"取り消されたか、或いは失敗しました。\r\nコピーされたSGF形式棋譜データが正しくないかもしれません。",
                          u"コピーされた棋譜データを開く");
        return;
    }
    showReadGame(std::move(game.main), game.info);
}

void MainWindow::showReadGame(std::unique_ptr<RecordSequence> main, const GameInfo& info) {
    if (GameSession* session = m_app.session()) session->showReadGame(std::move(main), info);
    else m_board->loadGame(std::move(main), info);
    m_board->toStart();
    refreshCommandStates();
}

void MainWindow::saveAsSgf() {
    const QString proposed = QDir(lastFolder).filePath(qs(defaultSgfFileName(m_board->gameInfo())));
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("棋譜をSGF形式で保存"), proposed,
                                                      QStringLiteral("SGF files {*.sgf} (*.sgf);;All files (*)"));
    if (path.isEmpty()) return;
    lastFolder = QFileInfo(path).absolutePath();
    SgfWriteOptions options;
    options.encoding = static_cast<SgfEncoding>(std::min<int>(m_app.settings().sgfOutputEncoding, 2));
    options.codePage = systemCodePage(m_app.japanese());
    ReadContext context = readContextFor(m_app);
    if (context.members) options.members = &*context.members;
    if (!saveSgfFile(path.toStdString(), m_board->record().main(), m_board->gameInfo(), options))
        m_ui->showMessage(u"ファイルを書き込めませんでした。\r\n" + u16(path), u"棋譜をSGF形式で保存");
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls() || event->mimeData()->hasText()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QMimeData* data = event->mimeData();
    if (data->hasUrls()) {
        for (const QUrl& url : data->urls())
            if (url.isLocalFile()) {
                openFile(url.toLocalFile());
                break;
            }
    } else if (data->hasText()) {
        // Dropped text is read as SGF, the same way as the clipboard.
        openSgfText(data->text());
    }
    event->acceptProposedAction();
    refreshCommandStates();
}

} // namespace stonewise
