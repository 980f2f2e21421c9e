#include "qt/QtUi.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include "app/Printing.h"
#include "app/RecordCorrection.h"
#include "app/StringTable.h"
#include "qt/BranchDialog.h"
#include "qt/CloudSettingsDialog.h"
#include "qt/CommentDialog.h"
#include "qt/ElapsedDialog.h"
#include "qt/GameResultWindows.h"
#include "qt/GameSettingsDialog.h"
#include "qt/HelpWindow.h"
#include "qt/ImportFileDialog.h"
#include "qt/LibraryWindows.h"
#include "qt/MarkDialog.h"
#include "qt/PatternSearchWindow.h"
#include "qt/PrintOptionsDialog.h"
#include "qt/PrintPainter.h"
#include "qt/ProblemDialog.h"
#include "qt/QtText.h"
#include "qt/RecordCorrectionDialog.h"
#include "qt/SettingsWindows.h"
#include "qt/TextSearchWindow.h"
#include "record/StringTable.h"
#include "record/Text.h"

namespace stonewise {

QtUi::QtUi(QWidget* owner, QLabel* status, QLabel* messageStrip)
    : m_owner(owner), m_status(status), m_strip(messageStrip), m_stripTimer(new QTimer(owner)) {
    m_noticeTimer = new QTimer(owner);
    m_noticeTimer->setInterval(1000);
    QObject::connect(m_noticeTimer, &QTimer::timeout, owner, [this] {
        if (m_notices.tickSecond()) updateNotices();
    });
    m_stripTimer->setSingleShot(true);
    QObject::connect(m_stripTimer, &QTimer::timeout, m_strip, &QLabel::hide);
}

QString QtUi::text(int id) const { return qs(StringTable::lookup(m_strings, id).value_or(u"")); }

QString QtUi::titleOr(std::u16string_view title) const { return title.empty() ? text(kStrProgramName) : qs(title); }

void QtUi::showMessage(std::u16string_view text, std::u16string_view title) {
    QMessageBox box(QMessageBox::Warning, titleOr(title), qs(text), QMessageBox::Ok,
                    QApplication::activeWindow() ? QApplication::activeWindow() : m_owner);
    box.exec();
}

bool QtUi::ask(std::u16string_view text, std::u16string_view title) {
    QMessageBox box(QMessageBox::Warning, titleOr(title), qs(text), QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow() ? QApplication::activeWindow() : m_owner);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void QtUi::boardMessage(std::u16string_view text) {
    beep();
    m_strip->setText(qs(text));
    m_strip->show();
    m_strip->raise();
    m_stripTimer->start(4000);
    if (m_status) m_status->setText(qs(text));
}

void QtUi::setStatusText(std::u16string_view text) {
    if (m_status) m_status->setText(qs(text));
}

void QtUi::notice(int seconds, std::u16string_view title, std::u16string_view text) {
    // A new notice closes the older ones.
    for (QPointer<QWidget>& window : m_noticeWindows) {
        QWidget* old = window;
        window = nullptr;
        if (old) old->close();
    }
    const int slot = m_notices.show(seconds, title, text);
    if (slot < 0) return;
    auto* box = new QDialog(m_owner, Qt::Dialog);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->setWindowTitle(titleOr(title));
    auto* layout = new QVBoxLayout(box);
    auto* label = new QLabel(qs(m_notices.notice(slot).text), box);
    label->setWordWrap(true);
    layout->addWidget(label);
    auto* countdown = new QLabel(box);
    countdown->setObjectName(QStringLiteral("countdown"));
    countdown->setText(qs(NoticeBoard::countdownText(seconds)));
    layout->addWidget(countdown);
    auto* close = new QPushButton(QtUi::text(kStrClose), box);
    layout->addWidget(close, 0, Qt::AlignRight);
    QObject::connect(close, &QPushButton::clicked, box, &QDialog::close);
    QObject::connect(box, &QDialog::finished, box, [this, slot, box] {
        QPointer<QWidget>& window = m_noticeWindows[static_cast<std::size_t>(slot)];
        if (window != box) return;
        window = nullptr;
        m_notices.close(slot);
    });
    box->adjustSize();
    const QPoint centre = m_owner->geometry().center() - QPoint(box->width() / 2, box->height() / 2);
    const int offset = NoticeBoard::offset(slot);
    box->move(centre + QPoint(offset, offset));
    m_noticeWindows[static_cast<std::size_t>(slot)] = box;
    box->show();
    if (seconds > 0) m_noticeTimer->start();
}

void QtUi::updateNotices() {
    bool timed = false;
    for (int slot = 0; slot < NoticeBoard::kSlots; ++slot) {
        QPointer<QWidget>& window = m_noticeWindows[static_cast<std::size_t>(slot)];
        const NoticeBoard::Notice& n = m_notices.notice(slot);
        if (!n.open) {
            if (window) window->close();
            window = nullptr;
            continue;
        }
        timed |= n.secondsLeft > 0;
        if (window)
            if (auto* countdown = window->findChild<QLabel*>(QStringLiteral("countdown")))
                countdown->setText(qs(NoticeBoard::countdownText(n.secondsLeft)));
    }
    if (!timed) m_noticeTimer->stop();
}

void QtUi::beep() { QApplication::beep(); }

namespace {
// The alarm mark: a borderless overlay that shows the alarm picture half-transparent, or yellow.
class AlarmMarkWindow final : public QWidget {
public:
    AlarmMarkWindow(QWidget* parent, bool picture) : QWidget(parent), m_picture(picture) {
        setAttribute(Qt::WA_DeleteOnClose);
        setAttribute(Qt::WA_TransparentForMouseEvents, false);
    }
    std::function<void()> clicked;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        if (!m_picture) {
            p.fillRect(rect(), QColor(255, 230, 0));
            return;
        }
        const QImage mark(QStringLiteral(":/pictures/mark-alarm.png"));
        p.setOpacity(0.5);
        p.drawImage(rect(), mark);
    }
    void mousePressEvent(QMouseEvent*) override {
        if (clicked) clicked();
    }

private:
    bool m_picture;
};
} // namespace

void QtUi::alarmMark(int slot, int x, int y, bool picture) {
    if (slot < 0 || slot >= AlarmMarks::kSlots || !m_alarmSurface || !m_pointRect) return;
    QPointer<QWidget>& window = m_alarmWindows[static_cast<std::size_t>(slot)];
    if (window) window->close();
    m_alarms.show(slot);
    auto* mark = new AlarmMarkWindow(m_alarmSurface, picture);
    mark->setGeometry(m_pointRect(x, y).toAlignedRect());
    mark->clicked = [this, slot] {
        m_alarms.click(slot);
        if (QWidget* w = m_alarmWindows[static_cast<std::size_t>(slot)]) w->close();
    };
    window = mark;
    mark->show();
    mark->raise();
    auto* timer = new QTimer(mark);
    timer->setInterval(AlarmMarks::kTickMilliseconds);
    QObject::connect(timer, &QTimer::timeout, mark, [this, slot, mark] {
        m_alarms.tick(slot);
        const AlarmMarks::Mark& state = m_alarms.mark(slot);
        if (!state.exists) mark->close();
        else mark->setVisible(state.visible);
    });
    timer->start();
}

void QtUi::showFreeHandicapPanel(int stones) {
    if (!m_freeHandicap) {
        auto* w = new QWidget(m_owner, Qt::Tool);
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->setWindowTitle(text(kStrFreeHandicapTitle));
        auto* layout = new QVBoxLayout(w);
        m_freeHandicapLabel = new QLabel(w);
        layout->addWidget(m_freeHandicapLabel);
        auto* done = new QPushButton(text(kStrFinish), w);
        layout->addWidget(done);
        QObject::connect(done, &QPushButton::clicked, w, [this] {
            if (m_freeHandicapDone) m_freeHandicapDone();
        });
        m_freeHandicap = w;
        w->show();
    }
    m_freeHandicapLabel->setText(qs(formatText(u16(text(kStrFreeHandicapCount)), {stones})));
}

void QtUi::hideFreeHandicapPanel() {
    if (m_freeHandicap) m_freeHandicap->close();
}

namespace {
QWidget* dialogParent(QWidget* owner) { return QApplication::activeWindow() ? QApplication::activeWindow() : owner; }
} // namespace

BranchDialogResult QtUi::askNewBranch(const BranchDialogRequest& request) {
    BranchDialog dialog(request, dialogParent(m_owner));
    dialog.exec();
    return dialog.result();
}

CommentDialogResult QtUi::editComment(const CommentDialogRequest& request) {
    CommentDialog dialog(request, dialogParent(m_owner));
    dialog.exec();
    return dialog.result();
}

MarkDialogResult QtUi::editMark(const MarkDialogRequest& request) {
    MarkDialog dialog(request, dialogParent(m_owner));
    dialog.exec();
    return dialog.result();
}

ElapsedDialogResult QtUi::editElapsed(const ElapsedDialogRequest& request) {
    ElapsedDialog dialog(request, dialogParent(m_owner));
    dialog.exec();
    return dialog.result();
}

void QtUi::runPatternComposition(PatternCompositionForm& form) {
    PatternCompositionDialog dialog(form, dialogParent(m_owner));
    dialog.exec();
}

bool QtUi::runCloudSettings(CloudSettingsForm& form) {
    CloudSettingsDialog dialog(form, dialogParent(m_owner));
    return dialog.exec() == QDialog::Accepted;
}

bool QtUi::editGameSettings(GameSettings& settings) {
    GameSettingsDialog dialog(settings, dialogParent(m_owner));
    return dialog.exec() == QDialog::Accepted;
}

ResultDialogResult QtUi::chooseResult(const ResultDialogRequest& request) {
    ResultDialog dialog(request, dialogParent(m_owner));
    dialog.exec();
    return dialog.result();
}

PlayerDialogResult QtUi::editPlayer(const PlayerDialogRequest& request) {
    PlayerDialog dialog(request, dialogParent(m_owner));
    dialog.exec();
    return dialog.result();
}

void QtUi::openRecordCorrection(std::unique_ptr<RecordCorrection> session) {
    if (m_correction) m_correction->close();
    auto* dialog = new RecordCorrectionDialog(std::move(session), m_owner);
    m_correction = dialog;
    dialog->show();
}

void QtUi::openTextSearch(TextSearchForm& form) {
    closeTextSearch();
    auto* window = new TextSearchWindow(form, m_searchHitShown, m_owner);
    m_textSearch = window;
    if (!m_textSearchPlace.isEmpty()) window->restoreGeometry(m_textSearchPlace);
    QObject::connect(window, &QDialog::finished, window,
                     [this, window] { m_textSearchPlace = window->saveGeometry(); });
    window->show();
}

void QtUi::openPatternSearch(PatternSearchForm& form) {
    closePatternSearch();
    auto* window = new PatternSearchWindow(form, m_searchHitShown, m_owner);
    m_patternSearch = window;
    window->show();
}

void QtUi::closePatternSearch() {
    if (auto* window = qobject_cast<QDialog*>(m_patternSearch.data()); window && window->isVisible()) window->reject();
}

void QtUi::closeTextSearch() {
    if (auto* window = qobject_cast<QDialog*>(m_textSearch.data()); window && window->isVisible()) window->reject();
}

void QtUi::showHelp(HelpForm& form) {
    // Opened while a modal dialog is up, the help window belongs to that dialog so that it can be
    // read and used; when the dialog is done it belongs to the main window again. The window is
    // only ever moved, never deleted: one of its own buttons may have led to that dialog.
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    QWidget* owner = dialog ? static_cast<QWidget*>(dialog) : m_owner;
    if (!m_help) {
        m_help = new HelpWindow(form, owner);
    } else if (m_help->parentWidget() != owner) {
        const QRect place = m_help->geometry();
        m_help->setParent(owner, Qt::Window);
        m_help->setGeometry(place);
    }
    if (dialog) QObject::connect(dialog, &QDialog::finished, m_help, [this] { returnHelpToMainWindow(); });
    m_help->refresh();
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

void QtUi::returnHelpToMainWindow() {
    if (!m_help || m_help->parentWidget() == m_owner) return;
    const bool shown = m_help->isVisible();
    const QRect place = m_help->geometry();
    m_help->setParent(m_owner, Qt::Window);
    m_help->setGeometry(place);
    if (shown) m_help->show();
}

void QtUi::hideHelp() {
    if (m_help) m_help->hide();
}

void QtUi::showHelpPicture(const std::vector<std::uint8_t>& bitmapFile, std::u16string_view caption) {
    if (bitmapFile.empty()) {
        if (m_helpPicture) m_helpPicture->hide();
        return;
    }
    if (!m_helpPicture) m_helpPicture = new HelpPictureWindow(m_help ? static_cast<QWidget*>(m_help) : m_owner);
    const QByteArray bytes(reinterpret_cast<const char*>(bitmapFile.data()), static_cast<qsizetype>(bitmapFile.size()));
    m_helpPicture->showPicture(bytes, qs(caption), m_help);
}

namespace {
// "Label (*.a *.b);;Label (*)": the chooser's filter text.
QString filterText(const std::vector<FileTypeFilter>& filters) {
    QStringList parts;
    for (const FileTypeFilter& f : filters) {
        QStringList patterns;
        for (const std::u16string& p : f.patterns) patterns << qs(p);
        parts << QStringLiteral("%1 (%2)").arg(qs(f.label), patterns.join(QLatin1Char(' ')));
    }
    return parts.join(QStringLiteral(";;"));
}
} // namespace

std::vector<std::string> QtUi::chooseFilesToOpen(const OpenFilesRequest& request) {
    const QStringList paths = QFileDialog::getOpenFileNames(
        dialogParent(m_owner), qs(request.title), QString::fromStdString(request.folder), filterText(request.filters));
    std::vector<std::string> chosen;
    for (const QString& p : paths) chosen.push_back(p.toStdString());
    return chosen;
}

std::optional<std::string> QtUi::chooseFileToSave(const SaveFileRequest& request) {
    const QString start = request.folder.empty()
                              ? qs(request.proposedName)
                              : QDir(QString::fromStdString(request.folder)).filePath(qs(request.proposedName));
    const QString path =
        QFileDialog::getSaveFileName(dialogParent(m_owner), qs(request.title), start, filterText(request.filters));
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

int QtUi::choosePopupCommand(const PopupMenuRequest& request) {
    QMenu menu(m_owner);
    for (const PopupItem& item : request.items) {
        if (item.command == 0) {
            menu.addSeparator();
            continue;
        }
        QAction* a = menu.addAction(qs(item.text));
        a->setData(item.command);
        a->setEnabled(item.enabled);
    }
    const QPoint at = m_popupAnchor.isNull() ? QCursor::pos() : m_popupAnchor;
    m_popupAnchor = {};
    QAction* chosen = menu.exec(at);
    return chosen ? chosen->data().toInt() : 0;
}

VersionDialogChoice QtUi::showVersion(const VersionDialogRequest& request) {
    QDialog dialog(dialogParent(m_owner));
    dialog.setWindowTitle(qs(request.title));
    auto* layout = new QVBoxLayout(&dialog);
    auto* name = new QLabel(qs(request.productLine), &dialog);
    QFont f = name->font();
    f.setPointSize(f.pointSize() + 2);
    f.setBold(true);
    name->setFont(f);
    layout->addWidget(name);
    layout->addWidget(new QLabel(qs(request.description), &dialog));
    auto* buttons = new QHBoxLayout;
    auto* site = new QPushButton(qs(request.supportButton), &dialog);
    auto* mail = new QPushButton(qs(request.inquiryButton), &dialog);
    auto* ok = new QPushButton(qs(request.okButton), &dialog);
    ok->setDefault(true);
    buttons->addWidget(site);
    buttons->addWidget(mail);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    layout->addLayout(buttons);
    VersionDialogChoice choice = VersionDialogChoice::Close;
    QObject::connect(site, &QPushButton::clicked, &dialog, [&] {
        choice = VersionDialogChoice::SupportPage;
        dialog.accept();
    });
    QObject::connect(mail, &QPushButton::clicked, &dialog, [&] {
        choice = VersionDialogChoice::InquiryMail;
        dialog.accept();
    });
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    dialog.exec();
    return choice;
}

// --- the library's dialogs ------------------------------------------------------------------------

void QtUi::runGameList(GameListForm& form) {
    GameListDialog dialog(form, dialogParent(m_owner));
    dialog.exec();
}

bool QtUi::runCopyMove(CopyMoveForm& form) {
    CopyMoveDialog dialog(form, dialogParent(m_owner));
    return dialog.exec() == QDialog::Accepted;
}

void QtUi::runGroupList(GroupListForm& form) {
    GroupListDialog dialog(form, dialogParent(m_owner));
    dialog.exec();
}

bool QtUi::runGroupSettings(GroupSettingsForm& form) {
    GroupSettingsDialog dialog(form, dialogParent(m_owner));
    return dialog.exec() == QDialog::Accepted;
}

void QtUi::runMemberList(MemberListForm& form) {
    MemberListDialog dialog(form, dialogParent(m_owner));
    dialog.exec();
}

bool QtUi::runMemberSettings(MemberSettingsForm& form) {
    MemberSettingsDialog dialog(form, dialogParent(m_owner));
    return dialog.exec() == QDialog::Accepted;
}

void QtUi::runGameResultList(GameResultListForm& form) {
    GameResultListDialog dialog(form, dialogParent(m_owner));
    dialog.exec();
}

bool QtUi::runGameResult(GameResultForm& form) {
    GameResultDialog dialog(form, dialogParent(m_owner));
    return dialog.exec() == QDialog::Accepted;
}

bool QtUi::runSettings(SettingsForm& form) {
    SettingsDialog dialog(form, dialogParent(m_owner));
    return dialog.exec() == QDialog::Accepted;
}

bool QtUi::runProblemForm(ProblemForm& form) {
    ProblemDialog dialog(form, dialogParent(m_owner));
    return dialog.exec() == QDialog::Accepted;
}

std::optional<FontChoice> QtUi::chooseFont(const FontChoice& current) {
    QFont initial;
    if (!current.face.empty()) initial = QFont(qs(current.face), current.points > 0 ? current.points : -1);
    bool ok = false;
    const QFont chosen =
        QFontDialog::getFont(&ok, initial, dialogParent(m_owner), QString(), QFontDialog::DontUseNativeDialog);
    if (!ok) return std::nullopt;
    return FontChoice{u16(chosen.family()), chosen.pointSize() > 0 ? chosen.pointSize() : 0};
}

bool QtUi::askChoice(std::u16string_view text, std::u16string_view title, std::u16string_view first,
                     std::u16string_view second) {
    QMessageBox box(QMessageBox::Warning, titleOr(title), qs(text), QMessageBox::NoButton,
                    QApplication::activeWindow() ? QApplication::activeWindow() : m_owner);
    QPushButton* yes = box.addButton(qs(first), QMessageBox::YesRole);
    box.addButton(qs(second), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.exec();
    return box.clickedButton() == yes;
}

std::optional<int> QtUi::chooseName(const NameChoiceRequest& request) {
    NameChoiceDialog dialog(request, dialogParent(m_owner));
    dialog.exec();
    return dialog.chosen();
}

void QtUi::setWindowTitle(std::u16string_view title) { m_owner->setWindowTitle(qs(title)); }

void QtUi::closeMainWindow() { m_owner->close(); }

bool QtShell::openFolder(const std::string& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

bool QtShell::openUrl(const std::string& url) { return QDesktopServices::openUrl(QUrl(QString::fromStdString(url))); }

bool QtClipboard::hasText() const {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data && data->hasText();
}

std::optional<std::u16string> QtClipboard::text() const {
    if (!hasText()) return std::nullopt;
    return u16(QApplication::clipboard()->text());
}

bool QtClipboard::setText(std::u16string_view text) {
    QApplication::clipboard()->setText(qs(text));
    return true;
}

bool QtClipboard::setFiles(const std::vector<std::string>& paths) {
    auto* data = new QMimeData;
    QList<QUrl> urls;
    QByteArray copied = "copy";
    for (const std::string& path : paths) {
        const QUrl url = QUrl::fromLocalFile(QString::fromStdString(path));
        urls.push_back(url);
        copied += '\n' + url.toEncoded();
    }
    // Mail programs take the list of URLs; file managers paste "x-special/gnome-copied-files".
    data->setUrls(urls);
    data->setData(QStringLiteral("x-special/gnome-copied-files"), copied);
    QApplication::clipboard()->setMimeData(data);
    return true;
}

void QtClipboard::clear() { QApplication::clipboard()->clear(); }

// --- importing ------------------------------------------------------------------------------------

std::optional<PrintOptions> QtUi::choosePrintOptions(const PrintDialogRequest& request) {
    PrintOptionsDialog dialog(request, dialogParent(m_owner));
    dialog.exec();
    return dialog.chosen();
}

PrintResult QtUi::printPage(const PrintJob& job) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(qs(job.documentName()));
    QPrintDialog dialog(&printer, dialogParent(m_owner));
    if (dialog.exec() != QDialog::Accepted) return {PrintOutcome::Cancelled, {}};
    PrintResult result;
    if (printer.outputFormat() == QPrinter::PdfFormat) result.pdfPath = printer.outputFileName().toStdString();
    result.outcome = printOnDevice(printer, job) ? PrintOutcome::Printed : PrintOutcome::Failed;
    return result;
}

ImportDialogResult QtUi::askImportFile(const ImportDialogRequest& request) {
    // The progress window would cover the question: it steps aside while the question is asked.
    const bool progressShown = m_progress && m_progress->isVisible();
    if (progressShown) m_progress->hide();
    ImportFileDialog dialog(request, dialogParent(m_owner));
    dialog.exec();
    if (progressShown && m_progress) m_progress->show();
    return dialog.result();
}

void QtUi::beginProgress(const ImportProgressRequest& request) {
    endProgress();
    m_progress =
        new QProgressDialog(QString(), qs(request.cancelText), 0, std::max(request.total, 1), dialogParent(m_owner));
    m_progress->setObjectName("importProgress");
    m_progress->setWindowTitle(qs(request.title));
    m_progress->setWindowModality(Qt::WindowModal);
    m_progress->setMinimumDuration(0);
    m_progress->setAutoClose(false);
    m_progress->setAutoReset(false);
    m_progress->setValue(0);
}

bool QtUi::stepProgress(int done, std::u16string_view text) {
    if (!m_progress) return true;
    if (!text.empty()) m_progress->setLabelText(qs(text));
    m_progress->setValue(std::min(done, m_progress->maximum()));
    QCoreApplication::processEvents();
    return !m_progress->wasCanceled();
}

void QtUi::endProgress() {
    if (m_progress) m_progress->deleteLater();
    m_progress = nullptr;
}

} // namespace stonewise
