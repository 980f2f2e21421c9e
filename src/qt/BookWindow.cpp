#include "qt/BookWindow.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QImage>
#include <QInputDialog>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QMenu>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>
#include <tuple>

#include "app/CommandIds.h"
#include "qt/BoardWidget.h"
#include "qt/Mp3Audio.h"
#include "qt/QtText.h"
#include "qt/QtUi.h"
#include "store/DataFolder.h"

namespace stonewise {

namespace {

// Control ids of the book control panel.
constexpr int kPlayButton = 1004, kNextButton = 1006, kTraceButton = 1007, kStudyButton = 1008, kStopButton = 1009,
              kSoundButton = 1079, kContinuousButton = 1080, kAutomaticButton = 1083;
constexpr int kBothButton = 1139, kFirstButton = 1140, kSecondButton = 1141;
constexpr int kOrientationButton = 1200; // the button that carries the orientation menu

} // namespace

BookWindow::BookWindow(const DataFolder& data, const StringTable& strings, const Clock& clock, QWidget* parent)
    : QWidget(parent), m_library(data), m_strings(strings) {
    setWindowFlag(Qt::Window);
    auto text = [this](int id) { return qs(StringTable::lookup(&m_strings, id).value_or(u"")); };
    setWindowTitle(text(kStrGoBookCaption));

    m_board = new BoardWidget(this);
    m_strip = m_board->messageStrip();
    m_ui = std::make_unique<QtUi>(this, nullptr, m_strip);
    m_ui->setStrings(&strings);
    m_audio = std::make_unique<Mp3Audio>();
    BoardEnvironment env;
    env.ui = m_ui.get();
    env.canvas = m_board;
    env.clock = &clock;
    env.strings = &strings;
    m_story = std::make_unique<CGoStory>(env, m_library, m_players, BookSide::Main, m_audio.get());
    m_board->setBoard(m_story.get());
    connect(m_board, &BoardWidget::pointClicked, this, [this](int x, int y) {
        m_story->bookClick(x, y);
        refresh();
    });

    m_title = new QLabel(this);
    m_title->setObjectName("bookTitle");
    m_title->setProperty(kBookContentProperty, true);
    m_picture = new QLabel(this);
    m_picture->setAlignment(Qt::AlignCenter);
    m_text = new QTextBrowser(this);
    m_text->setProperty(kBookContentProperty, true);
    m_contents = new QListWidget(this);
    auto* page = new QWidget(this);
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->addWidget(m_picture);
    pageLayout->addWidget(m_text, 1);
    m_tabs = new QTabWidget(this);
    m_tabs->addTab(page, text(kStrDescriptionTab));
    m_tabs->addTab(m_contents, text(kStrContentsTab));
    connect(m_contents, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row != m_story->currentPage()) showPage(row);
    });

    auto* panel = new QHBoxLayout;
    addButton(kPlayButton, kStrPlay);
    addButton(kStopButton, kStrStop);
    addButton(kNextButton, kStrNext);
    addButton(kSoundButton, kStrSound, true)->setChecked(true);
    addButton(kAutomaticButton, kStrAutomatic, true)->setChecked(true);
    addButton(kContinuousButton, kStrContinuous, true);
    addButton(kTraceButton, kStrTrace);
    addButton(kStudyButton, kStrStudy);
    m_sides = new QButtonGroup(this);
    for (auto [id, label] : {std::pair{kBothButton, kStrBothSides}, std::pair{kFirstButton, kStrFirstSide},
                             std::pair{kSecondButton, kStrSecondSide}}) {
        QPushButton* b = addButton(id, label, true);
        m_sides->addButton(b, id);
    }
    button(kBothButton).setChecked(true);
    // The board's orientation ("盤面の回転・反転"): the menu's commands by their ids.
    QPushButton* turn = addButton(kOrientationButton, kStrOrientationMenu);
    auto* turns = new QMenu(turn);
    for (auto [command, label, orientation] :
         {std::tuple{kCmdOrientationAsStored, kStrOrientationAsStored, BookOrientation::AsStored},
          std::tuple{kCmdRotate180, kStrRotate180, BookOrientation::Rotate180},
          std::tuple{kCmdRotateRight, kStrRotateRight, BookOrientation::RotateRight},
          std::tuple{kCmdFlipVertical, kStrFlipVertical, BookOrientation::FlipVertical},
          std::tuple{kCmdFlipHorizontal, kStrFlipHorizontal, BookOrientation::FlipHorizontal}}) {
        QAction* a = turns->addAction(text(label));
        a->setData(command);
        connect(a, &QAction::triggered, this, [this, o = orientation] {
            m_story->setOrientation(o);
            refresh();
        });
    }
    turn->setMenu(turns);
    for (auto& [id, b] : m_buttons) panel->addWidget(b);
    m_speed = new QSlider(Qt::Horizontal, this);
    m_speed->setRange(0, 100);
    m_speed->setValue(50);
    m_progress = new QProgressBar(this);
    m_progress->setRange(0, 100);
    auto* speed = new QHBoxLayout;
    speed->addWidget(new QLabel(text(kStrSlow), this));
    speed->addWidget(m_speed);
    speed->addWidget(new QLabel(text(kStrFast), this));
    speed->addWidget(m_progress, 1);
    connect(m_speed, &QSlider::valueChanged, this, [this](int v) { m_story->setSpeed(v); });

    connect(&button(kPlayButton), &QPushButton::clicked, this, &BookWindow::play);
    connect(&button(kStopButton), &QPushButton::clicked, this, [this] {
        m_story->stop();
        refresh();
    });
    connect(&button(kNextButton), &QPushButton::clicked, this, [this] { showPage(m_story->currentPage() + 1); });
    connect(&button(kSoundButton), &QPushButton::toggled, this, [this](bool on) { m_story->setSound(on); });
    connect(&button(kAutomaticButton), &QPushButton::toggled, this, [this](bool on) { m_story->setAutomatic(on); });
    connect(&button(kContinuousButton), &QPushButton::toggled, this, [this](bool on) { m_story->setContinuous(on); });
    connect(&button(kTraceButton), &QPushButton::clicked, this, &BookWindow::traceButton);
    connect(&button(kStudyButton), &QPushButton::clicked, this, &BookWindow::hintButton);

    auto* right = new QVBoxLayout;
    right->addWidget(m_title);
    right->addWidget(m_tabs, 1);
    auto* top = new QHBoxLayout;
    top->addWidget(m_board, 3);
    top->addLayout(right, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(panel);
    layout->addLayout(speed);

    m_hintMark = new QLabel(m_board);
    m_hintMark->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_hintMark->hide();

    m_timer = new QTimer(this);
    m_timer->setInterval(100);
    connect(m_timer, &QTimer::timeout, this, &BookWindow::tick);
    resize(1100, 760);
}

BookWindow::~BookWindow() {
    m_story->closeBook();
    m_board->setBoard(nullptr);
}

QPushButton* BookWindow::addButton(int controlId, int textId, bool checkable) {
    auto* b = new QPushButton(qs(StringTable::lookup(&m_strings, textId).value_or(u"")), this);
    b->setCheckable(checkable);
    b->setObjectName(QString("control%1").arg(controlId));
    m_buttons.emplace_back(controlId, b);
    return b;
}

QPushButton& BookWindow::button(int controlId) {
    for (auto& [id, b] : m_buttons)
        if (id == controlId) return *b;
    return *m_buttons.front().second;
}

bool BookWindow::openBook() {
    if (m_library.list() == 0) {
        m_ui->showMessage(*StringTable::lookup(&m_strings, kStrNoBooks),
                          *StringTable::lookup(&m_strings, kStrGoBookCaption));
        return false;
    }
    std::size_t position = 0;
    if (m_library.entries().size() > 1) {
        QStringList titles;
        for (const BookListEntry& e : m_library.entries()) titles << qs(e.title);
        bool ok = false;
        const QString chosen = QInputDialog::getItem(this, qs(*StringTable::lookup(&m_strings, kStrChooseBook)),
                                                     QString(), titles, 0, false, &ok);
        if (!ok) return false;
        position = static_cast<std::size_t>(titles.indexOf(chosen));
    }
    return openBookAt(position);
}

bool BookWindow::openBookAt(std::size_t position) {
    if (m_library.entries().empty()) m_library.list();
    if (!m_story->openBook(position)) return false;
    setWindowTitle(qs(m_story->book()->header().title));
    setProperty(kBookContentProperty, true);
    m_contents->blockSignals(true);
    m_contents->clear();
    const BookContents& c = m_story->book()->contents();
    for (const auto& d : c.desc) {
        const std::u16string title = d && d->indexEntry < c.index.size() && c.index[d->indexEntry]
                                         ? c.index[d->indexEntry]->title
                                         : std::u16string();
        m_contents->addItem(qs(title));
    }
    m_contents->blockSignals(false);
    showPage(0);
    return true;
}

void BookWindow::showPage(int page) {
    m_timer->stop();
    if (m_story->showPage(page)) showPageView();
}

// The contents row, picture and texts of the page the player shows.
void BookWindow::showPageView() {
    m_contents->blockSignals(true);
    m_contents->setCurrentRow(m_story->currentPage());
    m_contents->blockSignals(false);
    QPixmap picture;
    if (std::optional<BookPicture> p = m_story->pagePicture())
        picture = QPixmap::fromImage(
            QImage::fromData(p->bytes.data(), static_cast<int>(p->bytes.size()), p->bmp ? "BMP" : "JPEG"));
    m_picture->setPixmap(picture);
    m_picture->setVisible(!picture.isNull());
    if (QLayout* l = m_picture->parentWidget()->layout()) l->activate();
    refresh();
}

void BookWindow::refresh() {
    m_title->setText(qs(m_story->pageTitle()));
    if (m_text->toPlainText() != qs(m_story->descriptionText())) m_text->setPlainText(qs(m_story->descriptionText()));
    m_progress->setValue(m_story->progressPercent());
    const bool tracing = m_story->tracing();
    auto text = [this](int id) { return qs(StringTable::lookup(&m_strings, id).value_or(u"")); };
    button(kTraceButton).setText(text(tracing ? kStrEndTrace : kStrTrace));
    button(kStudyButton).setText(text(tracing ? kStrHint : kStrStudy));
    button(kStudyButton).setEnabled(tracing);
    m_board->setTraceMode(tracing);
    m_board->redrawAll();
    placeHintMark();
    // The replay runs on this timer, also when it goes on after a trace that continuous play began.
    if (m_story->playing() && !m_timer->isActive()) m_timer->start();
    if (!m_story->playing()) m_timer->stop();
}

// A small window two grid spacings wide near the expected point, in the colour of the side to move.
void BookWindow::placeHintMark() {
    const std::optional<TraceHint>& h = m_story->lastHint();
    if (!h || !m_story->tracing()) {
        m_hintMark->hide();
        return;
    }
    const double spacing = m_board->centreOf(1, 0).x() - m_board->centreOf(0, 0).x();
    const QPointF c = m_board->centreOf(h->x, h->y) + QPointF(h->dx * spacing, h->dy * spacing);
    const int side = static_cast<int>(2 * spacing);
    m_hintMark->setGeometry(static_cast<int>(c.x() - spacing), static_cast<int>(c.y() - spacing), side, side);
    const bool black = h->colour == kBlack;
    m_hintMark->setStyleSheet(QString("background: %1; border: 2px solid %2; border-radius: %3px;")
                                  .arg(black ? "rgba(0,0,0,90)" : "rgba(255,255,255,150)", black ? "black" : "gray")
                                  .arg(side / 2));
    m_hintMark->show();
    m_hintMark->raise();
}

void BookWindow::play() {
    if (m_story->play()) refresh();
}

void BookWindow::tick() {
    const int page = m_story->currentPage();
    m_story->tick();
    if (m_story->currentPage() != page) showPageView();
    refresh();
}

void BookWindow::traceButton() {
    if (m_story->tracing()) {
        m_story->endTrace();
    } else {
        m_timer->stop();
        const int side = m_sides->checkedId();
        m_story->startTrace(side == kFirstButton    ? TraceSides::First
                            : side == kSecondButton ? TraceSides::Second
                                                    : TraceSides::Both);
    }
    refresh();
}

void BookWindow::hintButton() {
    m_story->hint();
    refresh();
}

void BookWindow::closeEvent(QCloseEvent* event) {
    m_timer->stop();
    m_story->closeBook();
    QWidget::closeEvent(event);
}

} // namespace stonewise
