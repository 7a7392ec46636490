#include "editor/option_dialog.h"

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
    BuildColorGroup(units);
    BuildFpsGroup(units);
    BuildScreenGroup(units);
    BuildCheckBoxes(units);
    BuildVolumeRow(units);

    aboutAction_ = new QAction(QString::fromUtf8(kAboutMenuText), this);
    aboutAction_->setShortcut(QKeySequence::HelpContents);
    connect(aboutAction_, &QAction::triggered, this, &OptionDialog::ShowAbout);
    addAction(aboutAction_);
    setContextMenuPolicy(Qt::ActionsContextMenu);

    setFixedSize(units.DialogSize(this, 264, 153));
}

void OptionDialog::BuildColorGroup(const DialogUnits& units) {
    auto* box = MakeControl<QGroupBox>(this, "1006", "Color設定");
    units.Place(box, 14, 11, 116, 24);
    auto* palette = MakeControl<QRadioButton>(box, "1004", "256色");
    units.Place(palette, 23, 23, 36, 10, 14, 11);
    auto* fullColor = MakeControl<QRadioButton>(box, "1005", "FULLCOLOR");
    units.Place(fullColor, 67, 23, 59, 10, 14, 11);
    fullColor->setChecked(true);
    OnChosen(palette, [this] { settings_.fullColor = 0; });
    OnChosen(fullColor, [this] { settings_.fullColor = 1; });
    FitAroundChildren(box, units);
}

void OptionDialog::BuildFpsGroup(const DialogUnits& units) {
    auto* box = MakeControl<QGroupBox>(this, "1009", "FPS");
    units.Place(box, 15, 44, 69, 23);
    auto* fps30 = MakeControl<QRadioButton>(box, "1007", "30");
    units.Place(fps30, 27, 52, 25, 10, 15, 44);
    auto* fps60 = MakeControl<QRadioButton>(box, "1008", "60");
    units.Place(fps60, 55, 52, 25, 10, 15, 44);
    fps60->setChecked(true);
    OnChosen(fps30, [this] { settings_.fps = 30; });
    OnChosen(fps60, [this] { settings_.fps = 60; });
    FitAroundChildren(box, units);
}

void OptionDialog::BuildScreenGroup(const DialogUnits& units) {
    auto* box = MakeControl<QGroupBox>(this, "1012", "スクリーンモード");
    units.Place(box, 16, 71, 115, 30);
    auto* window = MakeControl<QRadioButton>(box, "1013", "Window");
    units.Place(window, 22, 83, 38, 10, 16, 71);
    auto* fullScreen = MakeControl<QRadioButton>(box, "1014", "FULLSCREEN");
    units.Place(fullScreen, 68, 79, 53, 18, 16, 71);
    window->setChecked(true);
    OnChosen(window, [this] { settings_.fullScreen = 0; });
    OnChosen(fullScreen, [this] { settings_.fullScreen = 1; });
    FitAroundChildren(box, units);
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
