#include "qt/HelpWindow.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/HelpForm.h"
#include "help/HelpStrings.h"
#include "qt/QtText.h"

namespace stonewise {

namespace {
// The controls' ids.
enum : int {
    kIdContents = 4,
    kIdBack = 5,
    kIdHide = 6,
    kIdClose = 7,
    kIdPrevious = 3,
    kIdText = 1036,
    kIdNext = 1167,
    kIdCommand1 = 1168,
    kIdTree = 1171,
    kIdSupport = 1172,
    kIdForward = 1173,
};
constexpr int kEntryRole = Qt::UserRole + 1;
} // namespace

HelpWindow::HelpWindow(HelpForm& form, QWidget* parent) : QWidget(parent, Qt::Window), m_form(&form) {
    setWindowTitle(uiString(kStrHelpWindowTitle));
    resize(760, 560);

    auto* layout = new QVBoxLayout(this);
    auto* way = new QHBoxLayout;
    m_back = button(kIdBack, uiString(kStrHelpHistoryBack));
    m_forward = button(kIdForward, uiString(kStrHelpHistoryForward));
    QPushButton* contents = button(kIdContents, uiString(kStrHelpContents));
    m_previous = button(kIdPrevious, uiString(kStrHelpPrevious));
    m_next = button(kIdNext, uiString(kStrHelpNext));
    for (QPushButton* b : {m_back, m_forward, contents, m_previous, m_next}) way->addWidget(b);
    way->addStretch(1);
    layout->addLayout(way);

    auto* splitter = new QSplitter(this);
    m_tree = new QTreeWidget(splitter);
    m_tree->setObjectName(QStringLiteral("help-%1").arg(kIdTree));
    m_tree->setHeaderHidden(true);
    m_tree->setMinimumWidth(200);
    auto* right = new QWidget(splitter);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    m_heading = new QLabel(right);
    QFont headingFont = m_heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.3);
    m_heading->setFont(headingFont);
    m_heading->setWordWrap(true);
    rightLayout->addWidget(m_heading);
    m_text = new QTextBrowser(right);
    m_text->setObjectName(QStringLiteral("help-%1").arg(kIdText));
    m_text->setOpenLinks(false);
    rightLayout->addWidget(m_text, 1);
    splitter->addWidget(m_tree);
    splitter->addWidget(right);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({230, 530});
    layout->addWidget(splitter, 1);

    auto* actions = new QHBoxLayout;
    m_support = button(kIdSupport, QString());
    actions->addWidget(m_support);
    for (int i = 0; i < 3; ++i) {
        m_commands[static_cast<std::size_t>(i)] = button(kIdCommand1 + i, QStringLiteral("Command %1").arg(i + 1));
        actions->addWidget(m_commands[static_cast<std::size_t>(i)]);
    }
    actions->addStretch(1);
    QPushButton* hide = button(kIdHide, uiString(kStrHelpHide));
    QPushButton* close = button(kIdClose, uiString(kStrHelpClose));
    actions->addWidget(hide);
    actions->addWidget(close);
    layout->addLayout(actions);

    connect(m_back, &QPushButton::clicked, this, [this] { m_form->goBack(); });
    connect(m_forward, &QPushButton::clicked, this, [this] { m_form->goForward(); });
    connect(contents, &QPushButton::clicked, this, [this] { m_form->showContents(); });
    connect(m_previous, &QPushButton::clicked, this, [this] { m_form->previous(); });
    connect(m_next, &QPushButton::clicked, this, [this] { m_form->next(); });
    connect(m_support, &QPushButton::clicked, this, [this] { m_form->openSupportPage(); });
    for (std::size_t i = 0; i < m_commands.size(); ++i)
        connect(m_commands[i], &QPushButton::clicked, this, [this, i] { m_form->pressCommand(i); });
    connect(hide, &QPushButton::clicked, this, [this] { m_form->hide(); });
    connect(close, &QPushButton::clicked, this, [this] { m_form->close(); });
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (!m_filling && item) m_form->chooseTreeItem(item->data(0, kEntryRole).toULongLong());
    });
}

QPushButton* HelpWindow::button(int id, const QString& text) {
    auto* b = new QPushButton(text, this);
    b->setObjectName(QStringLiteral("help-%1").arg(id));
    b->setAutoDefault(false);
    return b;
}

void HelpWindow::refresh() {
    m_filling = true;
    // The tree: filled once, then only its current row follows the form.
    const std::vector<HelpTreeItem> items = m_form->tree();
    if (m_tree->topLevelItemCount() == 0 && !items.empty()) {
        std::array<QTreeWidgetItem*, 3> last{};
        for (std::size_t i = 0; i < items.size(); ++i) {
            const int depth = items[i].depth;
            QTreeWidgetItem* parent = nullptr;
            for (int d = depth - 1; d >= 0 && !parent; --d) parent = last[static_cast<std::size_t>(d)];
            auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_tree);
            item->setText(0, qs(items[i].heading));
            item->setData(0, kEntryRole, static_cast<qulonglong>(i));
            last[static_cast<std::size_t>(depth)] = item;
            for (std::size_t d = static_cast<std::size_t>(depth) + 1; d < last.size(); ++d) last[d] = nullptr;
        }
        m_tree->expandAll();
    }
    QTreeWidgetItem* current = nullptr;
    if (const auto entry = m_form->entry())
        for (QTreeWidgetItemIterator it(m_tree); *it && !current; ++it)
            if ((*it)->data(0, kEntryRole).toULongLong() == *entry) current = *it;
    m_tree->setCurrentItem(current);
    if (current) m_tree->scrollToItem(current);
    m_filling = false;

    m_heading->setText(qs(m_form->heading()));
    m_text->setPlainText(qs(m_form->text()));
    m_back->setEnabled(m_form->canGoBack());
    m_forward->setEnabled(m_form->canGoForward());
    m_previous->setEnabled(m_form->canGoPrevious());
    m_next->setEnabled(m_form->canGoNext());
    const QString support = qs(m_form->supportCaption());
    m_support->setText(support);
    m_support->setVisible(!support.isEmpty());
    const auto& commands = m_form->page().commands;
    for (std::size_t i = 0; i < m_commands.size(); ++i) {
        m_commands[i]->setVisible(i < commands.size());
        if (i < commands.size()) m_commands[i]->setText(qs(commands[i].name));
    }
}

void HelpWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    m_form->hide();
}

HelpPictureWindow::HelpPictureWindow(QWidget* parent) : QWidget(parent, Qt::Window), m_picture(new QLabel) {
    setWindowTitle(uiString(kStrHelpImageTitle));
    resize(500, 400);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(this);
    m_picture->setAlignment(Qt::AlignCenter);
    scroll->setWidget(m_picture);
    scroll->setWidgetResizable(true);
    layout->addWidget(scroll);
}

bool HelpPictureWindow::showPicture(const QByteArray& bitmapFile, const QString& caption, const QWidget* beside) {
    QImage image;
    if (!image.loadFromData(bitmapFile, "BMP")) return false;
    m_picture->setPixmap(QPixmap::fromImage(image));
    setWindowTitle(caption.isEmpty() ? uiString(kStrHelpImageTitle) : caption);
    if (!m_placed && beside) {
        // Beside the help window, on the right where it fits, else on the left; kept on the screen.
        const QRect frame = beside->frameGeometry();
        const QScreen* screen = beside->screen();
        const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1920, 1080);
        QPoint place(frame.right() + 1, frame.top());
        if (place.x() + width() > area.right()) place.setX(frame.left() - width());
        place.setX(std::clamp(place.x(), area.left(), std::max(area.left(), area.right() - width())));
        place.setY(std::clamp(place.y(), area.top(), std::max(area.top(), area.bottom() - height())));
        move(place);
        m_placed = true;
    }
    show();
    raise();
    return true;
}

} // namespace stonewise
