#include "editor/keys_group.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

#include "editor/dialog_units.h"
#include "editor/key_capture.h"
#include "platform/key_names.h"

namespace editor {
namespace {

using pelko::Action;

// In the order of pelko::Action.
constexpr const char* kActionTexts[pelko::kActionCount] = {
    QT_TRANSLATE_NOOP("editor::KeysGroup", "上へ移動"),
    QT_TRANSLATE_NOOP("editor::KeysGroup", "下へ移動"),
    QT_TRANSLATE_NOOP("editor::KeysGroup", "左へ移動"),
    QT_TRANSLATE_NOOP("editor::KeysGroup", "右へ移動"),
    QT_TRANSLATE_NOOP("editor::KeysGroup", "ショット"),
    QT_TRANSLATE_NOOP("editor::KeysGroup", "ブレーキ"),
    QT_TRANSLATE_NOOP("editor::KeysGroup", "次の特殊攻撃"),
    QT_TRANSLATE_NOOP("editor::KeysGroup", "特殊攻撃"),
    QT_TRANSLATE_NOOP("editor::KeysGroup", "プレイをやめる"),
    QT_TRANSLATE_NOOP("editor::KeysGroup", "ポーズ"),
};
constexpr int kRowsPerColumn = 5;
constexpr const char* kWaitingText = QT_TRANSLATE_NOOP("editor::KeyButton", "キーを押してください");

// Object names for scripts and tests: "key" and the action's key in Game.ini ("keyKeyFire").
QString ButtonId(Action a) {
    return QStringLiteral("key") + QString::fromLatin1(pelko::InfoOf(a).iniKey);
}

QString NameOf(int vk) {
    return QString::fromLatin1(platform::KeyName(vk));
}

// Wide enough for any text the button may show, so that a new key never cuts its name.
int WidestKeyText(const KeyButton& button) {
    const QFontMetrics metrics(button.font());
    int widest = metrics.horizontalAdvance(KeyButton::tr(kWaitingText));
    for (int vk = 0; vk < 256; ++vk)
        if (platform::KeyName(vk) != nullptr)
            widest = std::max(widest, metrics.horizontalAdvance(NameOf(vk)));
    for (const pelko::ActionKey& k : pelko::kActionKeys)
        if (k.secondKey != 0)
            widest = std::max(widest, metrics.horizontalAdvance(NameOf(k.defaultKey) +
                                                                QStringLiteral(", ") +
                                                                NameOf(k.secondKey)));
    return widest;
}

} // namespace

KeyButton::KeyButton(QWidget* parent) : QPushButton(parent) {
    // Enter stays the dialog's OK, never this button's click.
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [this] {
        if (waiting_)
            emit GaveUp();
        else
            StartWaiting();
    });
}

void KeyButton::StartWaiting() {
    waiting_ = true;
    setText(tr(kWaitingText));
    setDown(true);
}

void KeyButton::StopWaiting() {
    waiting_ = false;
    setDown(false);
}

bool KeyButton::event(QEvent* event) {
    if (!waiting_) return QPushButton::event(event);
    switch (event->type()) {
    case QEvent::ShortcutOverride: // the key comes here rather than to a shortcut (F1)
        event->accept();
        return true;
    case QEvent::KeyPress: { // before Tab moves the focus or Esc closes the dialog
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->isAutoRepeat()) return true;
        if (key->key() == Qt::Key_Escape)
            emit GaveUp();
        else
            emit KeyChosen(VirtualKeyOf(*key, KeyCodesTellThePlace()));
        return true;
    }
    case QEvent::KeyRelease:
        return true;
    default:
        return QPushButton::event(event);
    }
}

void KeyButton::focusOutEvent(QFocusEvent* event) {
    if (waiting_) emit GaveUp();
    QPushButton::focusOutEvent(event);
}

KeysGroup::KeysGroup(pelko::PlayerKeys& keys, const DialogUnits& units, QWidget* parent)
    : QGroupBox(tr("キー"), parent), keys_(keys) {
    setObjectName(QStringLiteral("keys"));
    auto* column = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(units.ToPixels(0, 0, 6, 0).width());
    grid->setVerticalSpacing(units.ToPixels(0, 0, 0, 2).height());
    for (const pelko::ActionKey& k : pelko::kActionKeys) {
        const int i = static_cast<int>(k.action);
        auto* button = new KeyButton(this);
        button->setObjectName(ButtonId(k.action));
        button->setMinimumWidth(WidestKeyText(*button) + units.ToPixels(0, 0, 12, 0).width());
        auto* name = new QLabel(tr(kActionTexts[i]), this);
        name->setObjectName(ButtonId(k.action) + QStringLiteral("Label"));
        name->setBuddy(button);
        const int row = i % kRowsPerColumn, across = i / kRowsPerColumn * 2;
        grid->addWidget(name, row, across);
        grid->addWidget(button, row, across + 1);
        connect(button, &KeyButton::KeyChosen, this, [this, k](int vk) { Bind(k.action, vk); });
        connect(button, &KeyButton::GaveUp, this, [this] {
            note_->clear();
            ShowKeys();
        });
        buttons_[static_cast<size_t>(i)] = button;
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    column->addLayout(grid);

    auto* bottom = new QHBoxLayout;
    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("keysNote"));
    note_->setWordWrap(true);
    // Room for two lines, so that a refusal never changes the dialog's size.
    note_->setMinimumHeight(2 * note_->fontMetrics().lineSpacing());
    bottom->addWidget(note_, 1);
    auto* defaults = new QPushButton(tr("標準のキーに戻す"), this);
    defaults->setObjectName(QStringLiteral("defaultKeys"));
    defaults->setAutoDefault(false);
    connect(defaults, &QPushButton::clicked, this, [this] {
        keys_.RestoreDefaults();
        note_->clear();
        ShowKeys();
    });
    bottom->addWidget(defaults, 0, Qt::AlignTop);
    column->addLayout(bottom);
    ShowKeys();
}

void KeysGroup::Bind(Action a, int vk) {
    const pelko::Refusal refusal = pelko::WhyNotBind(keys_, a, vk);
    if (refusal.kind == pelko::Refusal::None) {
        keys_.Set(a, vk);
        note_->clear();
    } else {
        note_->setText(WhyNot(refusal, vk));
    }
    ShowKeys();
}

void KeysGroup::ShowKeys() {
    for (const pelko::ActionKey& k : pelko::kActionKeys) {
        KeyButton* button = buttons_[static_cast<size_t>(k.action)];
        button->StopWaiting();
        button->setText(KeysText(k.action));
    }
}

// The keys that do the action in the game: its own and, while it has it, its second key.
QString KeysGroup::KeysText(Action a) const {
    QString text = NameOf(keys_.Key(a));
    if (const int second = keys_.SecondKey(a); second != 0)
        text += QStringLiteral(", ") + NameOf(second);
    return text;
}

QString KeysGroup::WhyNot(const pelko::Refusal& refusal, int vk) const {
    const QString key = platform::KeyName(vk) != nullptr ? NameOf(vk) : QString();
    switch (refusal.kind) {
    case pelko::Refusal::NoName:
        return tr("このキーはゲームで使えません");
    case pelko::Refusal::Taken:
        return tr("%1 はすでに「%2」に使われています")
            .arg(key, tr(kActionTexts[static_cast<int>(refusal.holder)]));
    case pelko::Refusal::Kept:
        break;
    case pelko::Refusal::None:
        return {};
    }
    switch (refusal.keptFor) {
    case pelko::KeptFor::Quit:
        return tr("%1 はゲームの終了に使われます").arg(key);
    case pelko::KeptFor::HardMode:
        return tr("%1 はタイトルでハードモードを切り替えます").arg(key);
    case pelko::KeptFor::Screenshot:
        return tr("%1 はスクリーンショットを保存します").arg(key);
    case pelko::KeptFor::FullScreen:
        return tr("%1 は Alt+Enter の全画面切り替えに使われます").arg(key);
    case pelko::KeptFor::Desktop:
        return tr("%1 はデスクトップが使うキーです").arg(key);
    case pelko::KeptFor::BossAttacks:
        return tr("%1 はボスの攻撃を始めるキーです").arg(key);
    case pelko::KeptFor::Nothing:
        break;
    }
    return {};
}

} // namespace editor
