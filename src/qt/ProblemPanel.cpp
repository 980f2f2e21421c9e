#include "qt/ProblemPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/ProblemMode.h"
#include "qt/BoardWidget.h"
#include "qt/QtText.h"

namespace stonewise {

ProblemPanel::ProblemPanel(QWidget* parent) : QWidget(parent) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(2, 2, 2, 2);
    column->setSpacing(4);

    m_problemBox = new QGroupBox(uiString(20300), this);
    auto* grid = new QGridLayout(m_problemBox);
    grid->setSpacing(3);
    grid->addWidget(add(new QPushButton(m_problemBox), kCtlProblemAnswer), 0, 0);
    grid->addWidget(add(new QPushButton(m_problemBox), kCtlProblemNext), 0, 1);
    grid->addWidget(add(new QPushButton(m_problemBox), kCtlProblemStudy), 1, 0);
    grid->addWidget(add(new QCheckBox(m_problemBox), kCtlProblemEdit), 1, 1);
    grid->addWidget(add(new QPushButton(m_problemBox), kCtlProblemCreate), 2, 0);
    grid->addWidget(add(new QPushButton(m_problemBox), kCtlProblemPlacement), 2, 1);
    m_choiceLabel = new QLabel(m_problemBox);
    grid->addWidget(m_choiceLabel, 3, 0, 1, 2);
    m_choice = new QComboBox(m_problemBox);
    m_choice->setObjectName(QStringLiteral("problemChoice"));
    grid->addWidget(m_choice, 4, 0, 1, 2);
    grid->addWidget(add(new QCheckBox(m_problemBox), kCtlProblemMoveList), 5, 0, 1, 2);
    connect(m_choice, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_filling && index >= 0) Q_EMIT problemChosen(index);
    });
    column->addWidget(m_problemBox);

    m_answerBox = new QGroupBox(this);
    auto* answer = new QGridLayout(m_answerBox);
    answer->setSpacing(3);
    m_sideLabel = new QLabel(m_answerBox);
    answer->addWidget(m_sideLabel, 0, 0, 1, 3);
    answer->addWidget(add(new QRadioButton(m_answerBox), kCtlAnswerFirst), 1, 0);
    answer->addWidget(add(new QRadioButton(m_answerBox), kCtlAnswerSecond), 1, 1);
    answer->addWidget(add(new QRadioButton(m_answerBox), kCtlAnswerBoth), 1, 2);
    answer->addWidget(add(new QPushButton(m_answerBox), kCtlAnswerHint), 2, 0);
    answer->addWidget(add(new QCheckBox(m_answerBox), kCtlAnswerFromFirst), 2, 1, 1, 2);
    answer->addWidget(add(new QCheckBox(m_answerBox), kCtlAnswerImage), 3, 0, 1, 3);
    m_status = new QLabel(m_answerBox);
    m_status->setWordWrap(true);
    m_status->setObjectName(QStringLiteral("problemStatus"));
    m_status->setMinimumHeight(36);
    answer->addWidget(m_status, 4, 0, 1, 3);
    column->addWidget(m_answerBox);

    m_placementBox = new QGroupBox(this);
    auto* placement = new QVBoxLayout(m_placementBox);
    m_placing = new QLabel(m_placementBox);
    placement->addWidget(m_placing);
    const int placementIds[] = {kCtlPlaceBoth, kCtlPlaceBlack, kCtlPlaceWhite};
    const int placementTexts[] = {kStrPlaceBoth, kStrPlaceBlack, kStrPlaceWhite};
    for (int i = 0; i < 3; ++i) {
        auto* r = new QRadioButton(uiString(placementTexts[i]), m_placementBox);
        r->setChecked(i == 0);
        connect(r, &QRadioButton::clicked, this, [this, id = placementIds[i]] { Q_EMIT buttonPressed(id); });
        placement->addWidget(r);
    }
    auto* done = new QPushButton(uiString(kStrPlaceDone), m_placementBox);
    connect(done, &QPushButton::clicked, this, [this] { Q_EMIT buttonPressed(kCtlPlaceDone); });
    placement->addWidget(done);
    m_placementBox->hide();
    column->addWidget(m_placementBox);
    column->addStretch(1);
    setVisible(false);
}

QAbstractButton* ProblemPanel::add(QAbstractButton* b, int id) {
    m_buttons[id] = b;
    connect(b, &QAbstractButton::clicked, this, [this, id] { Q_EMIT buttonPressed(id); });
    return b;
}

QAbstractButton* ProblemPanel::button(int id) const {
    const auto it = m_buttons.find(id);
    return it == m_buttons.end() ? nullptr : it->second;
}

void ProblemPanel::setBoardWidget(BoardWidget* board) {
    m_board = board;
    m_hintMark = new QLabel(board);
    m_hintMark->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_hintMark->hide();
}

void ProblemPanel::placeHintMark(const ProblemMode* mode) {
    if (!m_hintMark) return;
    const std::optional<TraceHint>* h = mode ? &mode->lastHint() : nullptr;
    m_board->placeHintMark(*m_hintMark, h && *h && mode->answer() ? &**h : nullptr);
}

void ProblemPanel::refresh(const ProblemMode* mode) {
    setVisible(mode != nullptr);
    placeHintMark(mode);
    if (!mode) return;
    m_choiceLabel->setText(uiString(kStrProblemChoice));
    m_sideLabel->setText(uiString(kStrAnsweringSide));
    for (const ProblemControl& c : mode->controls()) {
        if (c.id == kCtlAnswerStatus) {
            m_status->setText(qs(c.text));
            continue;
        }
        if (c.id == kCtlProblemChoice) {
            m_choice->setEnabled(c.enabled);
            continue;
        }
        QAbstractButton* b = button(c.id);
        if (!b) continue;
        b->setText(qs(c.text));
        b->setEnabled(c.enabled);
        if (b->isCheckable() && c.id != kCtlProblemMoveList) b->setChecked(c.checked);
    }
    m_filling = true;
    const int count = static_cast<int>(mode->problems().size());
    if (m_choice->count() != count) m_choice->clear();
    for (int i = 0; i < count; ++i) {
        const QString text = qs(mode->listText(i));
        if (i < m_choice->count()) m_choice->setItemText(i, text);
        else m_choice->addItem(text);
    }
    m_choice->setCurrentIndex(mode->selected());
    m_filling = false;
    const bool placing = mode->state() == ProblemState::Placing;
    m_placementBox->setVisible(placing);
    if (placing) m_placing->setText(qs(mode->status()));
}

} // namespace stonewise
