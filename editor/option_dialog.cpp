#include "editor/option_dialog.h"

#include <array>

#include <QAction>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QWhatsThis>
#include <functional>

#include "editor/about_dialog.h"
#include "editor/app_icon.h"
#include "editor/dialog_units.h"

namespace editor {
namespace {

// Every control is named after its numeric id, so scripts and tests can find it.
template <typename Widget> Widget* MakeControl(QWidget* parent, const char* id, const char* text) {
    auto* widget = new Widget(QString::fromUtf8(text), parent);
    widget->setObjectName(QString::fromLatin1(id));
    return widget;
}

// A radio button acts when it becomes its group's choice, whether by mouse or by arrow keys.
void OnChosen(QRadioButton* button, std::function<void()> action) {
    QObject::connect(button, &QRadioButton::toggled, button, [action = std::move(action)](bool on) {
        if (on) action();
    });
}

// A group box widens with a radio button that had to widen for its text.
void FitAroundChildren(QGroupBox* box, const DialogUnits& units) {
    const int margin = units.ToPixels(0, 0, 4, 0).width();
    int right = box->width();
    for (const QWidget* child : box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        right = std::max(right, child->geometry().right() + 1 + margin);
    box->resize(right, box->height());
}

} // namespace

OptionDialog::OptionDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf8(kDialogCaption));
    // No minimise or maximise box; the help button appears where the window manager offers it.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::WindowContextHelpButtonHint);
    setWindowIcon(ApplicationIcon());
    setFont(DialogFont());
    // A group box's frame starts halfway down its title, which sits on the line, so that the
    // buttons placed inside it clear the frame.
    setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 0.5em; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }"));
    const DialogUnits units(font());

    // Controls are created in the order Tab visits them.
    BuildRadioGroups(units);
    BuildCheckBoxes(units);
    BuildVolumeRow(units);

    aboutAction_ = new QAction(QString::fromUtf8(kAboutMenuText), this);
    aboutAction_->setShortcut(QKeySequence::HelpContents);
    connect(aboutAction_, &QAction::triggered, this, &OptionDialog::ShowAbout);
    addAction(aboutAction_);
    setContextMenuPolicy(Qt::ActionsContextMenu);

    setFixedSize(units.DialogSize(this, 264, 153));
}

namespace {

// A control's place in dialog units: left, top, width, height.
struct Place {
    int x, y, w, h;
};

// One choice of a radio group: its id, text, place, whether it starts chosen, and what choosing it
// sets.
struct Choice {
    const char* id;
    const char* text;
    Place place;
    bool chosen;
    std::function<void()> action;
};

// A group box holding two choices; the box keeps the choices exclusive among themselves.
void BuildRadioGroup(QWidget* dialog, const DialogUnits& units, const char* id, const char* title,
                     Place place, const std::array<Choice, 2>& choices) {
    auto* box = MakeControl<QGroupBox>(dialog, id, title);
    units.Place(box, place.x, place.y, place.w, place.h);
    for (const Choice& choice : choices) {
        auto* button = MakeControl<QRadioButton>(box, choice.id, choice.text);
        units.Place(button, choice.place.x, choice.place.y, choice.place.w, choice.place.h, place.x,
                    place.y);
        button->setChecked(choice.chosen);
        OnChosen(button, choice.action);
    }
    FitAroundChildren(box, units);
}

} // namespace

void OptionDialog::BuildRadioGroups(const DialogUnits& units) {
    BuildRadioGroup(
        this, units, "1006", "Color設定", {14, 11, 116, 24},
        {{{"1004", "256色", {23, 23, 36, 10}, false, [this] { settings_.fullColor = 0; }},
          {"1005", "FULLCOLOR", {67, 23, 59, 10}, true, [this] { settings_.fullColor = 1; }}}});
    BuildRadioGroup(this, units, "1009", "FPS", {15, 44, 69, 23},
                    {{{"1007", "30", {27, 52, 25, 10}, false, [this] { settings_.fps = 30; }},
                      {"1008", "60", {55, 52, 25, 10}, true, [this] { settings_.fps = 60; }}}});
    BuildRadioGroup(
        this, units, "1012", "スクリーンモード", {16, 71, 115, 30},
        {{{"1013", "Window", {22, 83, 38, 10}, true, [this] { settings_.fullScreen = 0; }},
          {"1014", "FULLSCREEN", {68, 79, 53, 18}, false, [this] { settings_.fullScreen = 1; }}}});
}

void OptionDialog::BuildCheckBoxes(const DialogUnits& units) {
    struct Row {
        const char* id;
        const char* text;
        int y, width, height;
        bool checked;
        std::function<void(bool)> apply;
    };
    const Row rows[] = {
        {"1002", "VRAMを使って描画する", 13, 93, 10, true,
         [this](bool on) { settings_.useVram = on; }},
        {"1003", "VSyncを使用する", 27, 73, 10, false,
         [this](bool on) { settings_.useVsync = on; }},
        {"1010", "FPSを表示する", 42, 73, 10, false, [this](bool on) { settings_.showFps = on; }},
        {"1011", "当たり判定枠を表示する", 56, 94, 10, false,
         [this](bool on) { settings_.showObjectFrame = on; }},
        {"1018", "Flipを使う", 69, 83, 12, false, [this](bool on) { settings_.useFlip = on; }},
    };
    for (const Row& row : rows) {
        auto* box = MakeControl<QCheckBox>(this, row.id, row.text);
        units.Place(box, 156, row.y, row.width, row.height);
        box->setChecked(row.checked);
        connect(box, &QCheckBox::toggled, this, row.apply);
    }
}

void OptionDialog::BuildVolumeRow(const DialogUnits& units) {
    volume_ = new QSlider(Qt::Horizontal, this);
    volume_->setObjectName(QStringLiteral("1017"));
    volume_->setRange(0, 100);
    volume_->setPageStep(20);
    volume_->setTickPosition(QSlider::TicksAbove);
    volume_->setTickInterval(10);
    volume_->setValue(settings_.waveVolume);
    units.Place(volume_, 66, 106, 64, 27);

    auto* ok = MakeControl<QPushButton>(this, "1", "OK");
    ok->setDefault(true);
    units.Place(ok, 196, 122, 50, 14);
    connect(ok, &QPushButton::clicked, this, &OptionDialog::WriteAndClose);

    auto* label = new QLabel(QString::fromUtf8("効果音の音量"), this);
    units.Place(label, 20, 112, 42, 10);

    volumeText_ = new QLineEdit(QString::number(volume_->value()), this);
    volumeText_->setObjectName(QStringLiteral("1021"));
    volumeText_->setReadOnly(true);
    units.Place(volumeText_, 131, 111, 22, 13);
    connect(volume_, &QSlider::valueChanged, volumeText_,
            [this](int value) { volumeText_->setText(QString::number(value)); });
}

void OptionDialog::WriteAndClose() {
    settings_.waveVolume = volume_->value();
    if (!WriteSettingsFile(settings_, kSettingsFileName)) {
        // Nothing was written and any old file is intact; the dialog stays open for another try.
        QMessageBox box(QMessageBox::Warning, QString::fromUtf8(kDialogCaption),
                        QString::fromUtf8(kWriteErrorText), QMessageBox::Ok, this);
        box.exec();
        return;
    }
    accept();
}

void OptionDialog::ShowAbout() {
    AboutDialog about(this);
    about.exec();
}

bool OptionDialog::event(QEvent* event) {
    // The title bar's help button, where the window manager shows one, opens the about box.
    if (event->type() == QEvent::EnterWhatsThisMode) {
        QWhatsThis::leaveWhatsThisMode();
        ShowAbout();
        return true;
    }
    return QDialog::event(event);
}

} // namespace editor
