#include "qt/BookPanel.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>

#include "qt/BoardWidget.h"
#include "qt/QtText.h"
#include "qt/ReferBoardWidget.h"

namespace stonewise {

namespace {

// Control ids of the book control panel.
constexpr int kPlayButton = 1004, kNextButton = 1006, kTraceButton = 1007, kStudyButton = 1008, kStopButton = 1009,
              kSoundButton = 1079, kContinuousButton = 1080, kAutomaticButton = 1083;
constexpr int kBothButton = 1139, kFirstButton = 1140, kSecondButton = 1141;
// The sides of the reference board and of the page's picture beside it.
constexpr int kReferSide = 250;
constexpr int kPictureSide = 200;

} // namespace

BookPanel::BookPanel(CGoStory& story, BoardWidget& board, const StringTable& strings, QWidget* parent)
    : QWidget(parent), m_story(story), m_board(board), m_strings(strings) {
    auto text = [this](int id) { return qs(StringTable::lookup(&m_strings, id).value_or(u"")); };

    m_title = new QLabel(this);
    m_title->setObjectName("bookTitle");
    m_title->setProperty(kBookContentProperty, true);
    QFont bold = m_title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    m_title->setFont(bold);
    m_title->setWordWrap(true);
    m_picture = new QLabel(this);
    m_picture->setAlignment(Qt::AlignCenter);
    m_picture->setFixedSize(kPictureSide, kPictureSide);
    m_refer = new ReferBoardWidget(this);
    m_refer->setObjectName("referBoard");
    m_refer->setFixedSize(kReferSide, kReferSide);
    m_refer->setBoard(&m_story.referBoard());
    m_text = new QTextBrowser(this);
    m_text->setProperty(kBookContentProperty, true);
    m_contents = new QListWidget(this);
    m_contents->setProperty(kBookContentProperty, true);
    auto* page = new QWidget(this);
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(4, 4, 4, 4);
    auto* diagrams = new QHBoxLayout;
    diagrams->addWidget(m_refer);
    diagrams->addWidget(m_picture);
    diagrams->addStretch(1);
    pageLayout->addLayout(diagrams);
    pageLayout->addWidget(m_text, 1);
    m_tabs = new QTabWidget(this);
    m_tabs->addTab(page, text(kStrDescriptionTab));
    m_tabs->addTab(m_contents, text(kStrContentsTab));
    connect(m_contents, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row != m_story.currentPage()) showPage(row);
    });

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
    auto* controls = new QGridLayout;
    controls->setSpacing(3);
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        // Replay and its switches in the first two rows; the trace, the hint and the sides below.
        const int row = i < 6 ? static_cast<int>(i / 3) : 2 + static_cast<int>(i - 6) / 3;
        const int column = i < 6 ? static_cast<int>(i % 3) : static_cast<int>(i - 6) % 3;
        controls->addWidget(m_buttons[i].second, row, column);
    }
    m_speed = new QSlider(Qt::Horizontal, this);
    m_speed->setRange(0, 100);
    m_speed->setValue(50);
    m_progress = new QProgressBar(this);
    m_progress->setRange(0, 100);
    auto* speed = new QHBoxLayout;
    speed->addWidget(new QLabel(text(kStrSlow), this));
    speed->addWidget(m_speed, 1);
    speed->addWidget(new QLabel(text(kStrFast), this));
    connect(m_speed, &QSlider::valueChanged, this, [this](int v) { m_story.setSpeed(v); });

    connect(&button(kPlayButton), &QPushButton::clicked, this, &BookPanel::play);
    connect(&button(kStopButton), &QPushButton::clicked, this, [this] {
        m_story.stop();
        refresh();
    });
    connect(&button(kNextButton), &QPushButton::clicked, this, [this] { showPage(m_story.currentPage() + 1); });
    connect(&button(kSoundButton), &QPushButton::toggled, this, [this](bool on) { m_story.setSound(on); });
    connect(&button(kAutomaticButton), &QPushButton::toggled, this, [this](bool on) { m_story.setAutomatic(on); });
    connect(&button(kContinuousButton), &QPushButton::toggled, this, [this](bool on) { m_story.setContinuous(on); });
    connect(&button(kTraceButton), &QPushButton::clicked, this, &BookPanel::traceButton);
    connect(&button(kStudyButton), &QPushButton::clicked, this, &BookPanel::hintButton);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(m_title);
    layout->addWidget(m_tabs, 1);
    layout->addWidget(m_progress);
    layout->addLayout(speed);
    layout->addLayout(controls);

    m_hintMark = new QLabel(&m_board);
    m_hintMark->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_hintMark->hide();

    m_timer = new QTimer(this);
    m_timer->setInterval(100);
    connect(m_timer, &QTimer::timeout, this, &BookPanel::tick);
}

BookPanel::~BookPanel() { m_refer->setBoard(nullptr); }

QPushButton* BookPanel::addButton(int controlId, int textId, bool checkable) {
    auto* b = new QPushButton(qs(StringTable::lookup(&m_strings, textId).value_or(u"")), this);
    b->setCheckable(checkable);
    b->setObjectName(QString("control%1").arg(controlId));
    m_buttons.emplace_back(controlId, b);
    return b;
}

QPushButton& BookPanel::button(int controlId) {
    for (auto& [id, b] : m_buttons)
        if (id == controlId) return *b;
    return *m_buttons.front().second;
}

void BookPanel::bookOpened() {
    m_timer->stop();
    m_contents->blockSignals(true);
    m_contents->clear();
    if (const Book* book = m_story.book()) {
        const BookContents& c = book->contents();
        for (const auto& d : c.desc) {
            const std::u16string title = d && d->indexEntry < c.index.size() && c.index[d->indexEntry]
                                             ? c.index[d->indexEntry]->title
                                             : std::u16string();
            m_contents->addItem(qs(title));
        }
    }
    m_contents->blockSignals(false);
    m_tabs->setCurrentIndex(0);
    showPageView();
}

void BookPanel::bookClosed() {
    m_timer->stop();
    m_hintMark->hide();
    m_board.setTraceMode(false);
    m_contents->clear();
    m_text->clear();
    m_title->clear();
    m_picture->clear();
}

void BookPanel::showPage(int page) {
    m_timer->stop();
    if (m_story.showPage(page)) showPageView();
}

// The contents row, picture and texts of the page the player shows.
void BookPanel::showPageView() {
    m_contents->blockSignals(true);
    m_contents->setCurrentRow(m_story.currentPage());
    m_contents->blockSignals(false);
    QPixmap picture;
    if (std::optional<BookPicture> p = m_story.pagePicture())
        picture = QPixmap::fromImage(
            QImage::fromData(p->bytes.data(), static_cast<int>(p->bytes.size()), p->bmp ? "BMP" : "JPEG"));
    if (!picture.isNull()) picture = picture.scaled(m_picture->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    m_picture->setPixmap(picture);
    m_picture->setVisible(!picture.isNull());
    m_refer->setVisible(m_story.referBoard().hasDiagram());
    refresh();
}

void BookPanel::refresh() {
    m_title->setText(qs(m_story.pageTitle()));
    if (m_text->toPlainText() != qs(m_story.descriptionText())) m_text->setPlainText(qs(m_story.descriptionText()));
    m_progress->setValue(m_story.progressPercent());
    const bool tracing = m_story.tracing();
    auto text = [this](int id) { return qs(StringTable::lookup(&m_strings, id).value_or(u"")); };
    button(kTraceButton).setText(text(tracing ? kStrEndTrace : kStrTrace));
    button(kStudyButton).setText(text(tracing ? static_cast<int>(kStrHint) : static_cast<int>(kStrStudy)));
    button(kStudyButton).setEnabled(tracing);
    m_board.setTraceMode(tracing);
    m_board.redrawAll();
    m_refer->update();
    placeHintMark();
    // The replay runs on this timer, also when it goes on after a trace that continuous play began.
    if (m_story.playing() && !m_timer->isActive()) m_timer->start();
    if (!m_story.playing()) m_timer->stop();
}

void BookPanel::placeHintMark() {
    const std::optional<TraceHint>& h = m_story.lastHint();
    m_board.placeHintMark(*m_hintMark, h && m_story.tracing() ? &*h : nullptr);
}

void BookPanel::play() {
    if (m_story.play()) refresh();
}

void BookPanel::tick() {
    const int page = m_story.currentPage();
    m_story.tick();
    if (m_story.currentPage() != page) showPageView();
    refresh();
}

void BookPanel::traceButton() {
    if (m_story.tracing()) {
        m_story.endTrace();
    } else {
        m_timer->stop();
        const int side = m_sides->checkedId();
        m_story.startTrace(side == kFirstButton    ? TraceSides::First
                           : side == kSecondButton ? TraceSides::Second
                                                   : TraceSides::Both);
    }
    refresh();
}

void BookPanel::hintButton() {
    m_story.hint();
    refresh();
}

} // namespace stonewise
