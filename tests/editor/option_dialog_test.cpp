// The settings dialog driven through its real widgets: what it starts from, what OK writes, what
// every other way out leaves alone, what the game's reader makes of the file, and the language it
// speaks. CTest runs it with LANG=C, and the language case again with LANG=ja_JP.UTF-8.
#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStyle>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <functional>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

#include "editor/about_dialog.h"
#include "editor/desktop_language.h"
#include "editor/key_capture.h"
#include "editor/option_dialog.h"
#include "game/flow/settings_rules.h"
#include "platform/headless.h"
#include "platform/profile.h"
#include "tests/support/player_process.h"

using editor::OptionDialog;

namespace {

// The keys' lines with every action on its default, after MusicVolume and Scaling.
QByteArray KeyLines(const char* fire = "Space", const char* brake = "Return",
                    const char* pause = "P") {
    return QByteArray("KeyUp=Up\r\nKeyDown=Down\r\nKeyLeft=Left\r\nKeyRight=Right\r\nKeyFire=") +
           fire + "\r\nKeyBrake=" + brake +
           "\r\nKeyNextSpecial=X\r\nKeySpecial=Z\r\nKeyEndRun=Delete\r\nKeyPause=" + pause + "\r\n";
}

const QByteArray kDefaultFile = "[PelkoGame]\r\nFPS=60\r\nColor=24Bit\r\nShowFPS=0\r\n"
                                "ShowObjectFrame=0\t\t\r\nUseVRAM=1\r\nUseVSync=0\r\n"
                                "FullScreen=0\r\nUseFlip=0\r\nWaveVolume=80\r\n"
                                "[Pelko]\r\nMusicVolume=100\r\nScaling=0\r\n" +
                                KeyLines();

// The language the test was started in, as CTest sets it.
bool JapaneseDesktop() {
    return qEnvironmentVariable("LANG").startsWith(QLatin1String("ja"));
}

QString Expected(const char* japanese, const char* english) {
    return QString::fromUtf8(JapaneseDesktop() ? japanese : english);
}

QString WriteErrorText() {
    return Expected("ERROR!\nGame.iniに書き込みできませんでした。",
                    "ERROR!\nGame.ini could not be written.");
}

QString TextOf(const QWidget* w) {
    if (auto* button = qobject_cast<const QAbstractButton*>(w)) return button->text();
    if (auto* box = qobject_cast<const QGroupBox*>(w)) return box->title();
    if (auto* label = qobject_cast<const QLabel*>(w)) return label->text();
    return {};
}

void PutFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Runs act on the next popup or modal window of type T once it is up; a modal exec() blocks the
// test, so the answer has to be scheduled before the click that opens it. The watch ends with
// scope, so it cannot answer a box that a later test opens.
template <typename T>
void WhenShown(QObject* scope, std::function<void(T*)> act, int triesLeft = 500) {
    QTimer::singleShot(10, scope, [scope, act, triesLeft] {
        QWidget* shown = QApplication::activePopupWidget();
        if (qobject_cast<T*>(shown) == nullptr) shown = QApplication::activeModalWidget();
        if (auto* widget = qobject_cast<T*>(shown); widget != nullptr && widget->isVisible())
            act(widget);
        else if (triesLeft > 0)
            WhenShown<T>(scope, act, triesLeft - 1);
    });
}

std::optional<QByteArray> FileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    return file.readAll();
}

// Under root, which passes every permission check, a case runs again as the player, and passes
// only if it passed there.
bool RanAsPlayer(const char* testFunction) {
    if (geteuid() != 0) return false;
    std::string output;
    const int status = pelko::testing::RunThisProgramAsPlayer({testFunction}, output);
    const bool passed = status == 0 && output.find(", 0 failed, 0 skipped") != std::string::npos;
    if (!passed) qWarning("the case as the player:\n%s", output.c_str());
    [&] { QVERIFY(passed); }();
    return true;
}

int ReadBack(const char* key) {
    return platform::GetPrivateProfileInt("PelkoGame", key, -1, "Game.ini");
}

pelko::PelkoSectionSettings ReadPelkoBack() {
    return pelko::ReadPelkoSection(platform::ReadProfileFile("Game.ini").bytes);
}

} // namespace

class OptionDialogTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;
    QString startDir_;
    std::unique_ptr<OptionDialog> dialog_;

    template <typename T> T* Control(const char* id) {
        T* widget = dialog_->findChild<T*>(QString::fromLatin1(id));
        if (widget == nullptr) qFatal("control %s is missing", id);
        return widget;
    }

    // Clicks on the indicator, the part of a check box or radio button that surely takes it.
    void Click(QAbstractButton* button) {
        QPoint at = button->rect().center();
        if (qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button)) {
            const int indicator = button->style()->pixelMetric(
                qobject_cast<QCheckBox*>(button) ? QStyle::PM_IndicatorWidth
                                                 : QStyle::PM_ExclusiveIndicatorWidth,
                nullptr, button);
            at.setX(indicator / 2 + 1);
        }
        QTest::mouseClick(button, Qt::LeftButton, {}, at);
    }

    void Click(const char* id) { Click(Control<QAbstractButton>(id)); }

    // Clicks OK, answering the error box if one comes up; gives the box's text or "".
    QString PressOk() {
        QObject scope;
        auto boxText = std::make_shared<QString>();
        WhenShown<QMessageBox>(&scope, [boxText](QMessageBox* box) {
            *boxText = box->text();
            QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
        });
        Click("1");
        QTest::qWait(50);
        return *boxText;
    }

    void OpenDialog() {
        dialog_ = std::make_unique<OptionDialog>();
        dialog_->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog_.get()));
    }

  private slots:
    void initTestCase() { editor::UseDesktopLanguage(); }

    void init() {
        startDir_ = QDir::currentPath();
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        QVERIFY(QDir::setCurrent(dir_->path()));
        OpenDialog();
    }

    void cleanup() {
        dialog_.reset();
        QDir::setCurrent(startDir_);
        if (dir_) {
            QFile::setPermissions(dir_->path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            dir_.reset();
        }
    }

    void withoutAFileControlsStartFromTheEditorsValues() {
        QCOMPARE(dialog_->windowTitle(), QStringLiteral("PelkoGameOptionEditer"));
        const struct {
            const char* id;
            bool checked;
        } buttons[] = {
            {"1004", false}, {"1005", true},  {"1007", false}, {"1008", true},
            {"1013", true},  {"1014", false}, {"1002", true},  {"1003", false},
            {"1010", false}, {"1011", false}, {"1018", false}, {"scalingSharp", true},
        };
        for (const auto& b : buttons)
            QVERIFY2(Control<QAbstractButton>(b.id)->isChecked() == b.checked, b.id);
        QVERIFY(Control<QPushButton>("1")->isDefault());
        for (const char* id : {"1017", "musicVolume"}) {
            auto* slider = Control<QSlider>(id);
            QCOMPARE(slider->minimum(), 0);
            QCOMPARE(slider->maximum(), 100);
            QVERIFY(slider->tickPosition() != QSlider::NoTicks);
        }
        QCOMPARE(Control<QSlider>("1017")->value(), 80);
        QCOMPARE(Control<QLineEdit>("1021")->text(), QStringLiteral("80"));
        QVERIFY(Control<QLineEdit>("1021")->isReadOnly());
        QCOMPARE(Control<QLineEdit>("musicVolumeText")->text(), QStringLiteral("100"));
    }

    // Every text in the desktop's language, none of it cut, and no two controls on each other.
    void labelsSpeakTheDesktopsLanguage() {
        const struct {
            const char* id;
            const char* japanese;
            const char* english;
        } texts[] = {
            {"1006", "Color設定", "Colour"},
            {"1004", "256色", "256 colours"},
            {"1012", "スクリーンモード", "Screen mode"},
            {"1002", "VRAMを使って描画する", "Draw using video memory"},
            {"1003", "VSyncを使用する", "Use VSync"},
            {"1010", "FPSを表示する", "Show the frame rate"},
            {"1011", "当たり判定枠を表示する", "Show hit boxes"},
            {"1018", "Flipを使う", "Use page flipping"},
            {"1017Label", "効果音の音量", "Sound-effect volume"},
            {"musicVolumeLabel", "音楽の音量", "Music volume"},
            {"scaling", "拡大の仕方", "Scaling"},
            {"scalingWholeMultiples", "整数倍だけ", "Whole multiples"},
            {"keys", "キー", "Keys"},
            {"keyKeyNextSpecialLabel", "次の特殊攻撃", "Next special attack"},
            {"defaultKeys", "標準のキーに戻す", "Default keys"},
        };
        for (const auto& t : texts)
            QCOMPARE(TextOf(Control<QWidget>(t.id)), Expected(t.japanese, t.english));
        for (QWidget* w : dialog_->findChildren<QWidget*>()) {
            const QString text = TextOf(w);
            if (text.isEmpty()) continue;
            // Nothing is cut: each control is as wide as its text asks, and inside the dialog.
            QVERIFY2(w->width() >= w->sizeHint().width(), qPrintable(text));
            const QRect inDialog(w->mapTo(dialog_.get(), QPoint(0, 0)), w->size());
            QVERIFY2(dialog_->rect().contains(inDialog), qPrintable(text));
            // In English not one text is left in Japanese, new controls included.
            QVERIFY2(JapaneseDesktop() || std::all_of(text.begin(), text.end(),
                                                      [](QChar c) { return c.unicode() < 0x80; }),
                     qPrintable(text));
        }
        const char* column[] = {"1002", "1003", "1010", "1011", "1018"};
        for (int i = 1; i < 5; ++i)
            QVERIFY(Control<QWidget>(column[i - 1])->geometry().bottom() <
                    Control<QWidget>(column[i])->geometry().top());
        QVERIFY(Control<QWidget>("1006")->geometry().right() <
                Control<QWidget>("1002")->geometry().left());
    }

    // The player's own file, as the game reads it: quotes, blanks, a missing key (UseVSync, on
    // in the game), values out of range (a rate of 75 plays at 30, an effect volume of 250 at
    // full, ShowObjectFrame=2 draws no boxes), keys the game does not know; and Notepad's UTF-16.
    void startsFromTheFileThePlayerWroteAndWritesItsChoicesBack() {
        const QByteArray hand = "; mine\r\n[pelkogame]\r\nFPS = \"75\"\r\nColor=8\r\n"
                                "ShowFPS='1'\r\nShowObjectFrame=2\r\nUseVRAM=0\r\n"
                                "FullScreen=1\r\nWaveVolume=250\r\nUseFlip=1\r\nMaxTP=5\r\n"
                                "[Pelko]\r\nMusicVolume=\"35\"\r\nScaling=1\r\n"
                                "KeyFire = 'left shift'\r\nKeyBrake=space\r\nKeyPause=Nope\r\n";
        const QByteArray written = "[PelkoGame]\r\nFPS=30\r\nColor=256\r\nShowFPS=1\r\n"
                                   "ShowObjectFrame=0\t\t\r\nUseVRAM=0\r\nUseVSync=1\r\n"
                                   "FullScreen=1\r\nUseFlip=1\r\nWaveVolume=100\r\n"
                                   "[Pelko]\r\nMusicVolume=35\r\nScaling=1\r\n" +
                                   KeyLines("Left Shift", "Space");
        QByteArray utf16("\xFF\xFE");
        for (char c : hand)
            utf16.append(c).append('\0');
        for (const QByteArray& file : {hand, utf16}) {
            PutFile("Game.ini", file);
            OpenDialog();
            for (const char* id :
                 {"1004", "1007", "1014", "1010", "1003", "1018", "scalingWholeMultiples"})
                QVERIFY2(Control<QAbstractButton>(id)->isChecked(), id);
            for (const char* id : {"1002", "1011"})
                QVERIFY2(!Control<QAbstractButton>(id)->isChecked(), id);
            QCOMPARE(Control<QSlider>("1017")->value(), 100);
            QCOMPARE(Control<QLineEdit>("musicVolumeText")->text(), QStringLiteral("35"));
            QCOMPARE(TextOf(Control<QWidget>("keyKeyFire")), QStringLiteral("Left Shift"));
            QCOMPARE(PressOk(), QString());
            QCOMPARE(FileBytes("Game.ini").value_or("<missing>"), written);
        }
    }

    void aRateTheDialogHasNoChoiceForIsKept() {
        PutFile("Game.ini", "[PelkoGame]\nFPS=45\n");
        OpenDialog();
        QVERIFY(!Control<QRadioButton>("1007")->isChecked());
        QVERIFY(!Control<QRadioButton>("1008")->isChecked());
        PressOk();
        QVERIFY(FileBytes("Game.ini").value_or("").startsWith("[PelkoGame]\r\nFPS=45\r\n"));
    }

    void okUntouchedWritesTheDefaultBytes() {
        QCOMPARE(PressOk(), QString());
        QCOMPARE(dialog_->result(), int(QDialog::Accepted));
        QVERIFY(!dialog_->isVisible());
        QCOMPARE(FileBytes("Game.ini").value_or("<missing>"), kDefaultFile);
        QVERIFY(!QFile::exists("Game.ini.tmp"));
    }

    void okReplacesAnOlderFileWhateverItsCase() {
        PutFile("game.INI", "[PelkoGame]\r\nFPS=30\r\nMaxTP=9\r\nSomething long that must go");
        OpenDialog();
        PressOk();
        // Every key the old file did not have is written as the game read it: VSync on, full
        // effect volume.
        QCOMPARE(FileBytes("game.INI").value_or("<missing>"),
                 QByteArray("[PelkoGame]\r\nFPS=30\r\nColor=24Bit\r\nShowFPS=0\r\n"
                            "ShowObjectFrame=0\t\t\r\nUseVRAM=1\r\nUseVSync=1\r\nFullScreen=0\r\n"
                            "UseFlip=0\r\nWaveVolume=100\r\n[Pelko]\r\nMusicVolume=100\r\n"
                            "Scaling=0\r\n" +
                            KeyLines()));
        QCOMPARE(QDir().entryList(QDir::Files), QStringList{"game.INI"});
    }

    void checkBoxesWriteOnlyTheirOwnKeys() {
        Click("1018");
        PressOk();
        QByteArray bytes = FileBytes("Game.ini").value_or("");
        QVERIFY(bytes.contains("\r\nUseFlip=1\r\n"));
        QVERIFY(bytes.contains("\r\nShowFPS=0\r\n"));

        QVERIFY(QFile::remove("Game.ini"));
        OpenDialog();
        Click("1010");
        Click("1018");
        Click("1018"); // and off again
        Click("1002");
        Click("1003");
        Click("1011");
        PressOk();
        bytes = FileBytes("Game.ini").value_or("");
        QVERIFY(bytes.contains("\r\nShowFPS=1\r\nShowObjectFrame=1\t\t\r\n"));
        QVERIFY(bytes.contains("\r\nUseVRAM=0\r\nUseVSync=1\r\n"));
        QVERIFY(bytes.contains("\r\nUseFlip=0\r\n"));
    }

    void sliderPositionIsShownAndWritten() {
        auto* slider = Control<QSlider>("1017");
        slider->setFocus();
        QTest::keyClick(slider, Qt::Key_Home);
        QCOMPARE(Control<QLineEdit>("1021")->text(), QStringLiteral("0"));
        PressOk();
        QVERIFY(FileBytes("Game.ini").value_or("").contains("\r\nWaveVolume=0\r\n[Pelko]"));

        OpenDialog();
        slider = Control<QSlider>("1017");
        slider->setFocus();
        QTest::keyClick(slider, Qt::Key_End);
        QCOMPARE(Control<QLineEdit>("1021")->text(), QStringLiteral("100"));
        PressOk();
        QVERIFY(FileBytes("Game.ini").value_or("").contains("\r\nWaveVolume=100\r\n[Pelko]"));
    }

    void radioGroupsChooseColourRateAndScreen() {
        Click("1004");
        Click("1007");
        Click("1014");
        // Each group is exclusive within itself only.
        QVERIFY(!Control<QRadioButton>("1005")->isChecked());
        QVERIFY(!Control<QRadioButton>("1008")->isChecked());
        QVERIFY(!Control<QRadioButton>("1013")->isChecked());
        QVERIFY(Control<QRadioButton>("1004")->isChecked());
        PressOk();
        QByteArray bytes = FileBytes("Game.ini").value_or("");
        QVERIFY(bytes.contains("\r\nColor=256\r\n"));
        QVERIFY(bytes.contains("\r\nFPS=30\r\n"));
        QVERIFY(bytes.contains("\r\nFullScreen=1\r\n"));

        // A choice made with the arrow keys counts as much as a click.
        QVERIFY(QFile::remove("Game.ini"));
        OpenDialog();
        auto* fps60 = Control<QRadioButton>("1008");
        fps60->setFocus();
        QTest::keyClick(fps60, Qt::Key_Left);
        QVERIFY(Control<QRadioButton>("1007")->isChecked());
        Click("1004");
        Click("1005");
        PressOk();
        bytes = FileBytes("Game.ini").value_or("");
        QVERIFY(bytes.contains("\r\nFPS=30\r\n"));
        QVERIFY(bytes.contains("\r\nColor=24Bit\r\n"));
    }

    void escAndTheCloseBoxWriteNothing() {
        Click("1004");
        QTest::keyClick(dialog_.get(), Qt::Key_Escape);
        QCOMPARE(dialog_->result(), int(QDialog::Rejected));
        QVERIFY(!dialog_->isVisible());
        QVERIFY(!QFile::exists("Game.ini"));

        // An existing file is left exactly as it was.
        QFile old("Game.ini");
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("[PelkoGame]\r\nFPS=30");
        old.close();
        OpenDialog();
        Click("1018");
        QVERIFY(dialog_->close());
        QCOMPARE(dialog_->result(), int(QDialog::Rejected));
        QCOMPARE(FileBytes("Game.ini").value_or(""), QByteArray("[PelkoGame]\r\nFPS=30"));
        QCOMPARE(QDir().entryList(QDir::Files), QStringList{"Game.ini"});
    }

    void unwritableDirectoryShowsTheErrorAndWritesNothing() {
        // Root may write anywhere in a temporary directory, but not into /proc.
        const QString target = geteuid() == 0 ? QStringLiteral("/proc") : dir_->path();
        if (geteuid() != 0)
            QVERIFY(QFile::setPermissions(target, QFile::ReadOwner | QFile::ExeOwner));
        QVERIFY(QDir::setCurrent(target));
        QFile probe("Game.ini.probe");
        if (probe.open(QIODevice::WriteOnly)) {
            probe.remove();
            QSKIP("this directory cannot be made unwritable here");
        }
        Click("1014");
        QCOMPARE(PressOk(), WriteErrorText());
        QVERIFY(dialog_->isVisible());
        QVERIFY(!QFile::exists("Game.ini"));
        QVERIFY(!QFile::exists("Game.ini.tmp"));
    }

    void failedWriteKeepsTheDialogOpenForAnotherTry() {
        // A folder in the file's place cannot be replaced, by root either.
        QVERIFY(QDir().mkpath("Game.ini/inside"));
        Click("1007");
        QCOMPARE(PressOk(), WriteErrorText());
        QVERIFY(dialog_->isVisible());
        QVERIFY(QDir("Game.ini/inside").exists());
        QVERIFY(!QFile::exists("Game.ini.tmp"));
        QVERIFY(
            QString::fromStdString(platform::headless::DebugText())
                .contains(QStringLiteral("Game.ini is a folder; the settings are not saved.\n")));

        QVERIFY(QDir("Game.ini").removeRecursively());
        QCOMPARE(PressOk(), QString());
        QCOMPARE(dialog_->result(), int(QDialog::Accepted));
        QVERIFY(FileBytes("Game.ini").value_or("").contains("\r\nFPS=30\r\n"));
    }

    void readOnlyFileIsNotReplaced() {
        if (RanAsPlayer("readOnlyFileIsNotReplaced")) return;
        QFile old("Game.ini");
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("kept");
        old.close();
        QVERIFY(QFile::setPermissions("Game.ini", QFile::ReadOwner));
        QCOMPARE(PressOk(), WriteErrorText());
        QCOMPARE(FileBytes("Game.ini").value_or(""), QByteArray("kept"));
    }

    void aLinkedFileIsWrittenThroughItsLink() {
        QVERIFY(QDir().mkpath("elsewhere"));
        QVERIFY(QFile::link("elsewhere/Game.ini", "Game.ini"));
        QCOMPARE(PressOk(), QString());
        QVERIFY(QFileInfo("Game.ini").isSymLink());
        QCOMPARE(FileBytes("elsewhere/Game.ini").value_or(""), kDefaultFile);
    }

    void theGamesReaderGetsTheValuesChosen() {
        PressOk();
        QCOMPARE(ReadBack("FPS"), 60);
        QCOMPARE(ReadBack("Color"), 24);
        QCOMPARE(ReadBack("ShowFPS"), 0);
        QCOMPARE(ReadBack("ShowObjectFrame"), 0);
        QCOMPARE(ReadBack("UseVRAM"), 1);
        QCOMPARE(ReadBack("UseVSync"), 0);
        QCOMPARE(ReadBack("FullScreen"), 0);
        QCOMPARE(ReadBack("UseFlip"), 0);
        QCOMPARE(ReadBack("WaveVolume"), 80);

        OpenDialog();
        for (const char* id : {"1004", "1007", "1014", "1002", "1003", "1010", "1011", "1018",
                               "scalingWholeMultiples"})
            Click(id);
        auto* slider = Control<QSlider>("1017");
        slider->setFocus();
        QTest::keyClick(slider, Qt::Key_PageDown);
        QTest::keyClick(slider, Qt::Key_PageDown);
        QTest::keyClick(slider, Qt::Key_Left);
        QCOMPARE(Control<QLineEdit>("1021")->text(), QStringLiteral("39"));
        auto* music = Control<QSlider>("musicVolume");
        music->setFocus();
        QTest::keyClick(music, Qt::Key_PageDown);
        QCOMPARE(Control<QLineEdit>("musicVolumeText")->text(), QStringLiteral("80"));
        PressOk();
        QCOMPARE(ReadPelkoBack().musicVolume, 80);
        QCOMPARE(ReadPelkoBack().scaling, pelko::kScalingWholeMultiples);
        QCOMPARE(ReadBack("FPS"), 30);
        QCOMPARE(ReadBack("Color"), 256);
        QCOMPARE(ReadBack("ShowFPS"), 1);
        QCOMPARE(ReadBack("ShowObjectFrame"), 1);
        QCOMPARE(ReadBack("UseVRAM"), 0);
        QCOMPARE(ReadBack("UseVSync"), 1);
        QCOMPARE(ReadBack("FullScreen"), 1);
        QCOMPARE(ReadBack("UseFlip"), 1);
        QCOMPARE(ReadBack("WaveVolume"), 39);
        // The limits are never written, so the game keeps its own defaults for them.
        for (const char* key : {"MaxTP", "MaxPower", "MaxSpeed"}) {
            QCOMPARE(ReadBack(key), -1);
            QVERIFY(!FileBytes("Game.ini").value_or("").contains(key));
        }
    }

    // A key is bound by clicking its action and pressing it; another action's key or one the
    // game keeps is refused with the reason, Esc gives up, F1 binds rather than opening help;
    // OK writes the keys, the next start shows them, and "Default keys" puts them back.
    void keysAreBoundRefusedAndPutBack() {
        auto* fire = Control<QPushButton>("keyKeyFire");
        auto* note = Control<QLabel>("keysNote");
        auto press = [&](Qt::Key key) {
            Click(fire);
            QTest::keyClick(fire, key);
        };
        press(Qt::Key_Up);
        QCOMPARE(note->text(), Expected("Up はすでに「上へ移動」に使われています",
                                        "Up is already the key for \"Move up\""));
        QVERIFY(note->heightForWidth(note->width()) <= note->height());
        press(Qt::Key_F4);
        QCOMPARE(note->text(), Expected("F4 はタイトルでハードモードを切り替えます",
                                        "F4 switches hard mode on the title"));
        press(Qt::Key_Escape);
        QVERIFY(dialog_->isVisible());
        QCOMPARE(fire->text(), QStringLiteral("Space"));
        QCOMPARE(note->text(), QString());
        QCOMPARE(TextOf(Control<QWidget>("keyKeyEndRun")), QStringLiteral("Delete, F1"));
        press(Qt::Key_F1);
        QCOMPARE(fire->text(), QStringLiteral("F1"));
        QCOMPARE(TextOf(Control<QWidget>("keyKeyEndRun")), QStringLiteral("Delete"));
        QCOMPARE(PressOk(), QString());
        QVERIFY(FileBytes("Game.ini").value_or("").contains("\r\nScaling=0\r\n" + KeyLines("F1")));

        OpenDialog();
        QCOMPARE(TextOf(Control<QWidget>("keyKeyFire")), QStringLiteral("F1"));
        Click("defaultKeys");
        QCOMPARE(PressOk(), QString());
        QCOMPARE(FileBytes("Game.ini").value_or(""), kDefaultFile);
    }

    // Where the window system gives the keyboard's own codes, a key is taken by its place, as
    // the game reads it: the key a French keyboard labels A sits where a US one has Q.
    void aKeyIsTakenByItsPlaceWhereTheCodeTellsIt() {
        const struct {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            quint32 code;
            int byPlace, byName;
        } keys[] = {
            {Qt::Key_A, {}, 16 + 8, 'Q', 'A'},
            {Qt::Key_Shift, {}, 54 + 8, 161, 16},
            {Qt::Key_Enter, Qt::KeypadModifier, 96 + 8, 13, 13},
            {Qt::Key_1, Qt::KeypadModifier, 79 + 8, 97, 97},
            {Qt::Key_Eacute, {}, 3 + 8, '2', 0},
        };
        for (const auto& k : keys) {
            const QKeyEvent event(QEvent::KeyPress, k.key, k.modifiers, k.code, 0, 0);
            QCOMPARE(editor::VirtualKeyOf(event, true), k.byPlace);
            QCOMPARE(editor::VirtualKeyOf(event, false), k.byName);
        }
    }

    void aboutBoxOpensFromTheContextMenu() {
        auto menuTexts = std::make_shared<QStringList>();
        auto about = std::make_shared<QStringList>();
        QObject scope;
        WhenShown<QMenu>(&scope, [menuTexts](QMenu* menu) {
            for (QAction* action : menu->actions())
                *menuTexts << action->text();
            QTest::keyClick(menu, Qt::Key_A); // the item's mnemonic
        });
        WhenShown<editor::AboutDialog>(&scope, [about](editor::AboutDialog* box) {
            *about << box->windowTitle();
            for (QLabel* label : box->findChildren<QLabel*>())
                if (!label->text().isEmpty()) *about << label->text();
            QTest::mouseClick(box->findChild<QPushButton*>("1"), Qt::LeftButton);
        });
        const QPoint at(5, 5);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, dialog_->mapToGlobal(at));
        QApplication::sendEvent(dialog_.get(), &event);
        QTest::qWait(100);

        QCOMPARE(*menuTexts, QStringList{Expected("PelkoGameOptionEditer のﾊﾞｰｼﾞｮﾝ情報(&A)...",
                                                  "&About PelkoGameOptionEditer...")});
        QVERIFY(about->size() >= 3);
        QCOMPARE(about->at(0),
                 Expected("PelkoGameOptionEditerのﾊﾞｰｼﾞｮﾝ情報", "About PelkoGameOptionEditer"));
        QVERIFY(about->contains(QStringLiteral("PelkoGameOptionEditer Version 1.0")));
        QVERIFY(dialog_->isVisible());
        QVERIFY(!QFile::exists("Game.ini"));
    }
};

QTEST_MAIN(OptionDialogTest)
#include "option_dialog_test.moc"
