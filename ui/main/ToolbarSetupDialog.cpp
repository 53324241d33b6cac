#include "ToolbarSetupDialog.h"

#include "platform/ThemeColours.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <exception>

#include "engine/CalculatorModel.h"
#include "engine/ToolbarCatalogue.h"
#include "shell/ToolbarButtons.h"

namespace zorv::ui {

namespace {

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

ToolbarSetupDialog::ToolbarSetupDialog(int index, shell::ToolbarButtons& buttons,
                                       engine::CalculatorModel& model, QWidget* parent)
    : QDialog(parent), index_(index), buttons_(buttons), model_(model) {
    setObjectName(QStringLiteral("frmToolBarSet"));
    setWindowTitle(tr("Setup Button # %1").arg(index + 1));
    setModal(true);
    // Follows the main window's stay-on-top state, so it never opens behind it.
    if (parent && parent->window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        setWindowFlag(Qt::WindowStaysOnTopHint, true);

    groups_ = new QComboBox(this);
    groups_->setObjectName(QStringLiteral("cmbMenu"));
    for (const auto& g : engine::toolbarGroups()) groups_->addItem(qs(g.name));

    items_ = new QListWidget(this);
    items_->setObjectName(QStringLiteral("lstItems"));
    items_->setMinimumSize(320, 260);

    for (int i = 0; i < 2; ++i) {
        auto* l = new QLabel(this);
        l->setObjectName(QStringLiteral("lblSelected%1").arg(i));
        selected_[static_cast<std::size_t>(i)] = l;
    }
    selected_[0]->setText(tr("Selected:"));
    platform::setBold(selected_[1]);
    selected_[1]->setTextFormat(Qt::PlainText);

    const char* captions[] = {"&OK", "&Cancel"};
    for (int i = 0; i < 2; ++i) {
        auto* b = new QPushButton(tr(captions[i]), this);
        b->setObjectName(QStringLiteral("comExit%1").arg(i));
        b->setAutoDefault(i == 0);
        connect(b, &QPushButton::clicked, this, [this, i] { finish(i); });
        exit_[static_cast<std::size_t>(i)] = b;
    }

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout();
    auto* groupCaption = new QLabel(tr("&Group:"), this);
    groupCaption->setBuddy(groups_);
    top->addWidget(groupCaption);
    top->addWidget(groups_, 1);
    layout->addLayout(top);
    layout->addWidget(items_, 1);
    auto* selectedRow = new QHBoxLayout();
    selectedRow->addWidget(selected_[0]);
    selectedRow->addWidget(selected_[1], 1);
    layout->addLayout(selectedRow);
    auto* buttonsRow = new QHBoxLayout();
    buttonsRow->addStretch(1);
    buttonsRow->addWidget(exit_[0]);
    buttonsRow->addWidget(exit_[1]);
    layout->addLayout(buttonsRow);

    // Opens on the group of the button's current command with that command
    // selected; an unbound button starts at the first group.
    const auto current = engine::findToolbarItem(buttons_.button(index_).toolTip);
    groups_->setCurrentIndex(current ? static_cast<int>(current->group) : 0);
    showGroup();
    if (current) {
        items_->setCurrentRow(static_cast<int>(current->position) - 1);
        showChosenItem();
    }

    connect(groups_, &QComboBox::currentIndexChanged, this, [this] { showGroup(); });
    connect(items_, &QListWidget::currentRowChanged, this, [this] { showChosenItem(); });
    connect(items_, &QListWidget::itemDoubleClicked, this, [this] { finish(0); });
}

std::optional<std::size_t> ToolbarSetupDialog::chosenPosition() const {
    const int row = items_->currentRow();
    if (row < 0) return std::nullopt;
    return static_cast<std::size_t>(row) + 1;
}

void ToolbarSetupDialog::showGroup() {
    try {
        const QSignalBlocker block(items_);
        items_->clear();
        const int g = groups_->currentIndex();
        if (g >= 0)
            for (std::string_view item : engine::toolbarGroups().at(static_cast<std::size_t>(g)).items)
                items_->addItem(qs(item));
        items_->setCurrentRow(-1);
    } catch (const std::exception& e) {
        model_.reportError("frmToolBarSet [showGroup] ", 0, e.what());
    }
    showChosenItem();
}

void ToolbarSetupDialog::showChosenItem() {
    const auto position = chosenPosition();
    // OK is offered only once there is something to bind the button to.
    exit_[0]->setEnabled(position.has_value());
    if (!position) {
        selected_[1]->clear();
        return;
    }
    const auto group = static_cast<std::size_t>(groups_->currentIndex());
    selected_[1]->setText(items_->currentItem()->text() + QStringLiteral(" (") +
                          QString::fromStdString(engine::toolbarCode(group, *position)) +
                          QStringLiteral(")"));
}

void ToolbarSetupDialog::finish(int index) {
    if (index == 0) {
        const auto position = chosenPosition();
        if (!position) return;
        try {
            buttons_.bind(index_, static_cast<std::size_t>(groups_->currentIndex()), *position);
        } catch (const std::exception& e) {
            model_.reportError("frmToolBarSet [finish] [Index=0]", 0, e.what());
        }
        accept();
    } else {
        reject();
    }
}

}  // namespace zorv::ui
