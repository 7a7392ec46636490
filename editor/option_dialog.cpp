#include "editor/option_dialog.h"

#include <array>

#include <QAction>
#include <QBoxLayout>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
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
#include "editor/keys_group.h"

namespace editor {
namespace {

// Every control is named after its numeric id (the new ones after what they set), so scripts
// and tests can find it.
template <typename Widget>
Widget* MakeControl(QWidget* parent, const char* id, const QString& text) {
    auto* widget = new Widget(text, parent);
    widget->setObjectName(QString::fromLatin1(id));
    return widget;
}

// A radio button acts when it becomes its group's choice, whether by mouse or by arrow keys.
void OnChosen(QRadioButton* button, std::function<void()> action) {
    QObject::connect(button, &QRadioButton::toggled, button, [action = std::move(action)](bool on) {
        if (on) action();
    });
}

// The gaps of the layout, in dialog units, so that they keep their proportion to the font.
int Across(const DialogUnits& units, int dialogUnits) {
    return units.ToPixels(0, 0, dialogUnits, 0).width();
}
int Down(const DialogUnits& units, int dialogUnits) {
    return units.ToPixels(0, 0, 0, dialogUnits).height();
}

// One choice of a radio group: its id, text, whether it starts chosen, and what choosing it sets.
struct Choice {
    const char* id;
    QString text;
    bool chosen;
    std::function<void()> action;
};

// A group box holding two choices side by side; the box keeps them exclusive among themselves.
// A value neither choice stands for (a rate of 45 written by hand) leaves both unchosen.
QGroupBox* BuildRadioGroup(QWidget* dialog, const DialogUnits& units, const char* id,
                           const QString& title, const std::array<Choice, 2>& choices) {
    auto* box = MakeControl<QGroupBox>(dialog, id, title);
    auto* row = new QHBoxLayout(box);
    row->setSpacing(Across(units, 8));
    for (const Choice& choice : choices) {
        auto* button = MakeControl<QRadioButton>(box, choice.id, choice.text);
        button->setChecked(choice.chosen);
        OnChosen(button, choice.action);
        row->addWidget(button);
    }
    row->addStretch();
    return box;
}

} // namespace

OptionDialog::OptionDialog(QWidget* parent)
    : QDialog(parent), settings_(StartingSettings(kSettingsFileName)) {
    setWindowTitle(QString::fromUtf8(kDialogCaption));
    // No minimise or maximise box; the help button appears where the window manager offers it.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::WindowContextHelpButtonHint);
    setWindowIcon(ApplicationIcon());
    setFont(DialogFont());
    // A group box's frame starts halfway down its title, which sits on the line.
    setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 0.5em;"
        " padding-top: 0.3em; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }"));
    const DialogUnits units(font());

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(Across(units, 7), Down(units, 7), Across(units, 7), Down(units, 7));
    page->setSpacing(Down(units, 6));

    // Controls are created in the order Tab visits them.
    auto* top = new QHBoxLayout;
    top->setSpacing(Across(units, 14));
    top->addLayout(BuildRadioGroups(units));
    top->addLayout(BuildCheckBoxes(units));
    page->addLayout(top);
    page->addLayout(BuildVolumeRows(units));
    page->addWidget(new KeysGroup(settings_.keys, units, this));
    // A further section goes in here, above the button row.
    page->addLayout(BuildButtonRow(units));

    aboutAction_ = new QAction(tr(kAboutMenuText), this);
    aboutAction_->setShortcut(QKeySequence::HelpContents);
    connect(aboutAction_, &QAction::triggered, this, &OptionDialog::ShowAbout);
    addAction(aboutAction_);
    setContextMenuPolicy(Qt::ActionsContextMenu);

    // The dialog takes the size its texts need in the desktop's language, and keeps it.
    setFixedSize(sizeHint());
}

QBoxLayout* OptionDialog::BuildRadioGroups(const DialogUnits& units) {
    auto* column = new QVBoxLayout;
    column->setSpacing(Down(units, 4));
    EditorSettings& s = settings_;
    column->addWidget(BuildRadioGroup(
        this, units, "1006", tr("Color設定"),
        {{{"1004", tr("256色"), s.fullColor == 0, [&s] { s.fullColor = 0; }},
          {"1005", QStringLiteral("FULLCOLOR"), s.fullColor != 0, [&s] { s.fullColor = 1; }}}}));
    column->addWidget(
        BuildRadioGroup(this, units, "1009", QStringLiteral("FPS"),
                        {{{"1007", QStringLiteral("30"), s.fps == 30, [&s] { s.fps = 30; }},
                          {"1008", QStringLiteral("60"), s.fps == 60, [&s] { s.fps = 60; }}}}));
    column->addWidget(BuildRadioGroup(
        this, units, "1012", tr("スクリーンモード"),
        {{{"1013", QStringLiteral("Window"), s.fullScreen == 0, [&s] { s.fullScreen = 0; }},
          {"1014", QStringLiteral("FULLSCREEN"), s.fullScreen != 0, [&s] { s.fullScreen = 1; }}}}));
    column->addWidget(BuildRadioGroup(
        this, units, "scaling", tr("拡大の仕方"),
        {{{"scalingSharp", tr("シャープ"), s.scaling == 0, [&s] { s.scaling = 0; }},
          {"scalingWholeMultiples", tr("整数倍だけ"), s.scaling != 0, [&s] { s.scaling = 1; }}}}));
    column->addStretch();
    return column;
}

QBoxLayout* OptionDialog::BuildCheckBoxes(const DialogUnits& units) {
    struct Row {
        const char* id;
        const char* text;
        bool checked;
        std::function<void(bool)> apply;
    };
    EditorSettings& s = settings_;
    const Row rows[] = {
        {"1002", QT_TR_NOOP("VRAMを使って描画する"), s.useVram != 0,
         [&s](bool on) { s.useVram = on; }},
        {"1003", QT_TR_NOOP("VSyncを使用する"), s.useVsync != 0,
         [&s](bool on) { s.useVsync = on; }},
        {"1010", QT_TR_NOOP("FPSを表示する"), s.showFps != 0, [&s](bool on) { s.showFps = on; }},
        {"1011", QT_TR_NOOP("当たり判定枠を表示する"), s.showObjectFrame != 0,
         [&s](bool on) { s.showObjectFrame = on; }},
        {"1018", QT_TR_NOOP("Flipを使う"), s.useFlip != 0, [&s](bool on) { s.useFlip = on; }},
    };
    auto* column = new QVBoxLayout;
    column->setSpacing(Down(units, 4));
    for (const Row& row : rows) {
        auto* box = MakeControl<QCheckBox>(this, row.id, tr(row.text));
        box->setChecked(row.checked);
        connect(box, &QCheckBox::toggled, this, row.apply);
        column->addWidget(box);
    }
    column->addStretch();
    return column;
}

namespace {

// A volume: its label, a slider from 0 to 100 with ticks above, and the read-only box that shows
// the slider's position.
QSlider* AddVolumeRow(QWidget* dialog, QGridLayout* grid, const DialogUnits& units,
                      const char* sliderId, const char* textId, const QString& label, int value) {
    auto* slider = new QSlider(Qt::Horizontal, dialog);
    slider->setObjectName(QString::fromLatin1(sliderId));
    slider->setRange(0, 100);
    slider->setPageStep(20);
    slider->setTickPosition(QSlider::TicksAbove);
    slider->setTickInterval(10);
    slider->setValue(value);
    slider->setMinimumSize(Across(units, 64), Down(units, 20));

    auto* text = new QLineEdit(QString::number(slider->value()), dialog);
    text->setObjectName(QString::fromLatin1(textId));
    text->setReadOnly(true);
    text->setFixedWidth(Across(units, 22));
    QObject::connect(slider, &QSlider::valueChanged, text,
                     [text](int position) { text->setText(QString::number(position)); });

    auto* name = new QLabel(label, dialog);
    name->setObjectName(QString::fromLatin1(sliderId) + QStringLiteral("Label"));
    name->setBuddy(slider);
    const int row = grid->rowCount();
    grid->addWidget(name, row, 0);
    grid->addWidget(slider, row, 1);
    grid->addWidget(text, row, 2);
    return slider;
}

} // namespace

QGridLayout* OptionDialog::BuildVolumeRows(const DialogUnits& units) {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(Across(units, 4));
    grid->setVerticalSpacing(0);
    grid->setColumnStretch(1, 1);
    waveVolume_ =
        AddVolumeRow(this, grid, units, "1017", "1021", tr("効果音の音量"), settings_.waveVolume);
    musicVolume_ = AddVolumeRow(this, grid, units, "musicVolume", "musicVolumeText",
                                tr("音楽の音量"), settings_.musicVolume);
    return grid;
}

QBoxLayout* OptionDialog::BuildButtonRow(const DialogUnits& units) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    auto* ok = MakeControl<QPushButton>(this, "1", QStringLiteral("OK"));
    ok->setDefault(true);
    ok->setMinimumSize(units.ToPixels(0, 0, 50, 14).size());
    connect(ok, &QPushButton::clicked, this, &OptionDialog::WriteAndClose);
    row->addWidget(ok);
    return row;
}

void OptionDialog::WriteAndClose() {
    settings_.waveVolume = waveVolume_->value();
    settings_.musicVolume = musicVolume_->value();
    if (!WriteSettingsFile(settings_, kSettingsFileName)) {
        // Nothing was written and any old file is intact; the dialog stays open for another try.
        QMessageBox box(QMessageBox::Warning, QString::fromUtf8(kDialogCaption),
                        tr(kWriteErrorText), QMessageBox::Ok, this);
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
