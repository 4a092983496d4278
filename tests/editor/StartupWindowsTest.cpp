#include "MainFixture.h"

#include "control/widgets/LyImgBtn.h"
#include "editor/StartupAids.h"
#include "editor/widgets/AutoUnit.h"
#include "editor/widgets/EveryDayUnit.h"
#include "editor/widgets/NewUnit.h"
#include "editor/widgets/OptionUnit.h"
#include "editor/widgets/StartupAidsUnit.h"
#include "shared/Ini.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStackedWidget>
#include <QToolButton>
#include <QTreeWidget>

namespace {

using lytest::ModalGuard;
using lytest::ModalScript;

class StartupWindowsTest : public lytest::MainFixture
{
protected:
    static void click(QAbstractButton *button) { QTest::mouseClick(button, Qt::LeftButton); }
    // Clicks a check box on its box, not on its text.
    static void tick(QCheckBox *box)
    {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }

    static void writeTips(const QByteArray &bytes)
    {
        QDir().mkpath(QFileInfo(ly::TipsFile()).path());
        QFile out(ly::TipsFile());
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }

    static void setRecent(const QString &number, const QStringList &items)
    {
        ly::EraseIniSection("Finished", ly::ConfigFile());
        ly::WriteConfig("Finished", "Number", number);
        for (int i = 0; i < items.size(); ++i)
            ly::WriteConfig("Finished", "Item" + QString::number(i), items[i]);
    }

    static QStringList entries(const QComboBox *box)
    {
        QStringList list;
        for (int i = 0; i < box->count(); ++i)
            list.append(box->itemText(i));
        return list;
    }

    // The controls of the window's client area that have no accessible name.
    static QStringList unnamedControls(Tly_Form *window)
    {
        QStringList unnamed;
        for (QWidget *w : window->ClientArea()->findChildren<QWidget *>()) {
            if (!qobject_cast<QAbstractButton *>(w) && !qobject_cast<QLineEdit *>(w)
                && !qobject_cast<QComboBox *>(w) && !qobject_cast<QTreeWidget *>(w)
                && !qobject_cast<TlyImgBtn *>(w))
                continue;
            QAccessibleInterface *face = QAccessible::queryAccessibleInterface(w);
            if (!face || face->text(QAccessible::Name).isEmpty())
                unnamed.append(QString::fromLatin1(w->metaObject()->className()));
        }
        return unnamed;
    }

    // The tips window run modally, bounded.
    int runTips(TFrmEveryDay &tips)
    {
        ModalGuard guard(&tips, 5000);
        return tips.ShowModal();
    }
};

TEST_F(StartupWindowsTest, QuickStartCloseLeadsToTheNewProjectDialogAndThenTheTips)
{
    ly::WriteConfig("System", "AutoFlag", "1");
    ly::WriteConfig("System", "EveryStudy", "1");
    ly::WriteConfig("System", "SoftUpdate", "0");
    writeTips("First tip\r\nSecond tip\r\n");
    start();
    QStringList order;
    ModalScript script;
    script.then<TFrmAuto>([&](TFrmAuto *quick) {
        order.append("quick start");
        EXPECT_EQ(quick->Label36->text(), "Welcome to use the Lyrabell");
        EXPECT_EQ(quick->Label35->text(), "Welcome to use the Lyrabell");
        EXPECT_EQ(quick->LblTitle->text(), "Quick Start ...");
        EXPECT_EQ(quick->LblNew->text(), "Create a new Lyrabell project");
        EXPECT_EQ(quick->LblOpen->text(), "Open an example Lyrabell project");
        EXPECT_EQ(quick->LblSaveOpen->text(), "Open a recent Lyrabell project");
        EXPECT_EQ(quick->AutoCheck->text(), "Show Quick Start to Startup");
        EXPECT_TRUE(quick->AutoCheck->isChecked());
        EXPECT_EQ(quick->BtnClose->text(), "&Close");
        EXPECT_EQ(quick->BtnHelp->text(), "&Help");
        EXPECT_TRUE(quick->windowFlags() & Qt::WindowStaysOnTopHint);
        EXPECT_TRUE(unnamedControls(quick).isEmpty()) << unnamedControls(quick).join(", ").toStdString();
        click(quick->BtnClose);
    });
    script.then<TFrmNew>([&](TFrmNew *dialog) {
        order.append("new");
        dialog->EdtPath->setText(cards());
        dialog->EdtFile->setText("Card1");
        click(dialog->BtnOk);
    });
    script.then<TFrmEveryDay>([&](TFrmEveryDay *tips) {
        order.append("tips");
        EXPECT_EQ(tips->Label36->text(), "Tip of the day");
        EXPECT_EQ(tips->LblTitle1->text(), "Did your know...");
        EXPECT_EQ(tips->LblTitle2->text(), "Did your know...");
        EXPECT_EQ(tips->CheckBox1->text(), "Start Tip on start");
        EXPECT_TRUE(tips->CheckBox1->isChecked());
        EXPECT_EQ(tips->Button1->text(), "&Next Tip");
        EXPECT_EQ(tips->Button2->text(), "Ok");
        EXPECT_TRUE(tips->LblText->text() == "First tip" || tips->LblText->text() == "Second tip")
            << tips->LblText->text().toStdString();
        EXPECT_TRUE(unnamedControls(tips).isEmpty()) << unnamedControls(tips).join(", ").toStdString();
        click(tips->Button2);
    });
    RunMainStartupAids(*main);
    EXPECT_TRUE(script.finished());
    EXPECT_TRUE(script.unexpected.isEmpty()) << script.unexpected.join(", ").toStdString();
    EXPECT_EQ(order, QStringList({"quick start", "new", "tips"}));
    EXPECT_EQ(main->QuickStartChoice, "New");
    EXPECT_EQ(main->CurrentProjectFile(), cards() + "Card1/Card1.zpj");
    EXPECT_TRUE(launcher.opened.isEmpty()) << "no material download";
}

TEST_F(StartupWindowsTest, QuickStartAnswersItsButtonsAndTheTitleBarClose)
{
    ly::WriteConfig("System", "AutoFlag", "1");
    ly::WriteConfig("System", "EveryStudy", "0");
    start();
    const struct { const char *name; std::function<void(TFrmAuto *)> act; const char *choice; const char *next; } cases[] = {
        {"title bar close", [](TFrmAuto *q) { QTest::mouseClick(q->Ttl_BtnExit, Qt::LeftButton, {}, QPoint(4, 4)); }, "New", "TFrmNew"},
        {"first button", [](TFrmAuto *q) { click(q->SbnNew); }, "New", "TFrmNew"},
        {"second button", [](TFrmAuto *q) { click(q->SbnOpen); }, "Open", "open dialog"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QStringList picked;
        main->setOpenFilePicker([&picked](QWidget *, const QString &) {
            picked.append("open dialog");
            return QString();
        });
        ModalScript script;
        script.then<TFrmAuto>(c.act);
        if (QString(c.next) == "TFrmNew")
            script.then<TFrmNew>([&picked](TFrmNew *dialog) {
                picked.append("TFrmNew");
                dialog->setModalResult(Tly_Form::mrCancel);
            });
        RunMainStartupAids(*main);
        EXPECT_TRUE(script.finished());
        EXPECT_TRUE(script.unexpected.isEmpty()) << script.unexpected.join(", ").toStdString();
        EXPECT_EQ(main->QuickStartChoice, c.choice);
        EXPECT_EQ(picked, QStringList({c.next}));
    }
}

TEST_F(StartupWindowsTest, QuickStartOpensTheRecentProjectChosenPastEmptyItems)
{
    const QString a = projectWith("A", {"FrmPicture"});
    const QString b = projectWith("B", {});
    const QString gone = cards() + "Gone/Gone.zpj";
    setRecent("5", {a, "", gone, "", b});
    ly::WriteConfig("System", "AutoFlag", "1");
    ly::WriteConfig("System", "EveryStudy", "0");
    start();
    ModalScript script;
    script.then<TFrmAuto>([&](TFrmAuto *quick) {
        EXPECT_EQ(entries(quick->ComBoxOpen), QStringList({"A.zpj", "Gone.zpj", "B.zpj"}));
        EXPECT_EQ(quick->ComBoxOpen->currentIndex(), 0);
        EXPECT_EQ(quick->LblOpenFile->text(), a);

        // The list's second entry is Item2, not Item1.
        QTest::keyClick(quick->ComBoxOpen, Qt::Key_Down);
        EXPECT_EQ(quick->LblOpenFile->text(), gone);
        click(quick->SbnSaveOpen);
        EXPECT_EQ(notices(), QStringList({"2: Invalid document"}));
        EXPECT_TRUE(quick->isVisible());

        QTest::keyClick(quick->ComBoxOpen, Qt::Key_Down);
        EXPECT_EQ(quick->LblOpenFile->text(), b);
        click(quick->SbnSaveOpen);
    });
    RunMainStartupAids(*main);
    EXPECT_TRUE(script.finished());
    EXPECT_TRUE(script.unexpected.isEmpty()) << script.unexpected.join(", ").toStdString();
    EXPECT_EQ(main->QuickStartChoice, b);
    EXPECT_EQ(main->CurrentProjectFile(), b);
    EXPECT_EQ(main->LblBtmText->text(), b);
}

TEST_F(StartupWindowsTest, QuickStartWithoutRecentListAndItsCheckBoxAndHelp)
{
    ly::WriteConfig("System", "AutoFlag", "1");
    ly::EraseIniSection("Finished", ly::ConfigFile());
    ly::WriteConfig("Finished", "Item0", projectWith("A", {}));
    start();
    TFrmAuto quick(main->ImgLeft, [this] { main->HelpClick(); }, main.get());
    ModalScript script;
    script.then<TFrmAuto>([&](TFrmAuto *q) {
        EXPECT_EQ(q->ComBoxOpen->count(), 0) << "Number empty: no list";
        EXPECT_EQ(q->LblOpenFile->text(), "");
        click(q->SbnSaveOpen);
        EXPECT_TRUE(q->isVisible()) << "nothing to open";

        tick(q->AutoCheck);
        EXPECT_EQ(ly::ReadConfig("System", "AutoFlag"), "0");
        tick(q->AutoCheck);
        EXPECT_EQ(ly::ReadConfig("System", "AutoFlag"), "1");

        click(q->BtnHelp);
        EXPECT_EQ(launcher.opened,
                  QStringList({QUrl::fromLocalFile(sandbox.programDir() + "Guidebook.chm").toString()}));
        EXPECT_TRUE(q->isVisible());
        click(q->SbnOpen);
    });
    ModalGuard guard(&quick);
    quick.ShowModal();
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(quick.Choice(), "Open");
    EXPECT_TRUE(notices().isEmpty());
}

TEST_F(StartupWindowsTest, TipsWithoutTheirFileWarnAndTheEditorKeepsAnswering)
{
    QFile::remove(ly::TipsFile());
    start();
    {
        TFrmEveryDay tips(main->ImgLeft, main.get());
        EXPECT_EQ(runTips(tips), Tly_Form::mrCancel);
        EXPECT_FALSE(tips.isVisible());
    }
    EXPECT_EQ(notices(), QStringList({"2: Execuse me, the procedure want for document, may read "
                                      "to put to have the mistake."}));
    // The editor goes on: its commands run and its windows open.
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    main->HelpClick();
    EXPECT_EQ(launcher.opened.size(), 1);
    ModalScript script;
    script.then<TFrmOption>([](TFrmOption *dialog) { dialog->close(); });
    main->Option->trigger();
    EXPECT_TRUE(script.finished());
}

TEST_F(StartupWindowsTest, TipsWindowShowsARandomTipAndNextWrapsRound)
{
    start();
    const struct { const char *name; QByteArray bytes; QStringList tips; } cases[] = {
        {"three lines, mixed ends", "One\rTwo\nThree\r\n", {"One", "Two", "Three"}},
        {"one line", "Only", {"Only"}},
        {"with an empty line", "One\r\n\r\nThree", {"One", "", "Three"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        writeTips(c.bytes);
        TFrmEveryDay tips(main->ImgLeft, main.get());
        EXPECT_EQ(tips.LblText->text(), "") << "cleared on creation";
        ModalScript script;
        script.then<TFrmEveryDay>([&](TFrmEveryDay *t) {
            ASSERT_EQ(t->Tips(), c.tips);
            int index = t->TipIndex();
            ASSERT_GE(index, 0);
            ASSERT_LT(index, c.tips.size());
            EXPECT_EQ(t->LblText->text(), c.tips[index]);
            for (int step = 0; step <= c.tips.size(); ++step) {
                click(t->Button1);
                index = (index + 1) % int(c.tips.size());
                EXPECT_EQ(t->TipIndex(), index);
                EXPECT_EQ(t->LblText->text(), c.tips[index]);
            }
            click(t->Button2);
        });
        EXPECT_EQ(runTips(tips), Tly_Form::mrCancel);
        EXPECT_TRUE(script.finished());
    }
    EXPECT_TRUE(notices().isEmpty());
}

TEST_F(StartupWindowsTest, EmptyTipsFileOnlyClosesAndTheCheckBoxWritesAtOnce)
{
    start();
    writeTips("");
    {
        TFrmEveryDay tips(main->ImgLeft, main.get());
        runTips(tips);
        EXPECT_FALSE(tips.isVisible());
    }
    EXPECT_TRUE(notices().isEmpty());

    writeTips("Tip\r\n");
    ly::WriteConfig("System", "EveryStudy", "0");
    TFrmEveryDay tips(main->ImgLeft, main.get());
    EXPECT_FALSE(tips.CheckBox1->isChecked());
    ModalScript script;
    script.then<TFrmEveryDay>([](TFrmEveryDay *t) {
        tick(t->CheckBox1);
        EXPECT_EQ(ly::ReadConfig("System", "EveryStudy"), "1");
        tick(t->CheckBox1);
        EXPECT_EQ(ly::ReadConfig("System", "EveryStudy"), "0");
        t->close();
    });
    runTips(tips);
    EXPECT_TRUE(script.finished());
}

TEST_F(StartupWindowsTest, OptionsOpenWithAndWithoutProjectFromBothMenus)
{
    start();
    EXPECT_TRUE(main->Option->isEnabled());
    EXPECT_TRUE(main->PopuOption->isEnabled());
    for (QAction *command : {main->Option, main->PopuOption}) {
        SCOPED_TRACE(command->text().toStdString());
        ModalScript script;
        script.then<TFrmOption>([](TFrmOption *dialog) { click(dialog->BtnCancel); });
        command->trigger();
        EXPECT_TRUE(script.finished());
        EXPECT_TRUE(script.unexpected.isEmpty());
    }
    main->OpenProject(projectWith("A", {"FrmPicture"}));
    EXPECT_TRUE(main->Option->isEnabled());
    ModalScript script;
    script.then<TFrmOption>([](TFrmOption *dialog) { click(dialog->BtnCancel); });
    main->Option->trigger();
    EXPECT_TRUE(script.finished());
    EXPECT_TRUE(script.unexpected.isEmpty()) << script.unexpected.join(", ").toStdString();
}

TEST_F(StartupWindowsTest, OptionsShowTheSettingsAndOkWritesThemBack)
{
    ly::WriteConfig("System", "OpenDir", "\\Project");
    ly::WriteConfig("System", "SaveDir", "\\Output\\Cards");
    ly::WriteConfig("Finished", "Number", "3");
    const std::pair<const char *, const char *> flags[] = {
        {"EveryStudy", "1"}, {"SoftUpdate", "0"}, {"AutoFlag", "1"}, {"PictureCheck", "0"},
        {"FlashCheck", "1"}, {"MovieCheck", "yes"}, {"PicTextCheck", "1"},
    };
    for (const auto &[key, value] : flags)
        ly::WriteConfig("System", key, value);
    start();
    ModalScript script;
    script.then<TFrmOption>([](TFrmOption *dialog) {
        EXPECT_EQ(dialog->Label36->text(), "Option the constitution");
        EXPECT_EQ(dialog->PageControl1->currentIndex(), 0);
        EXPECT_EQ(dialog->Headers[0].title->text(), "Basic constitution");
        EXPECT_EQ(dialog->Headers[0].shadow->text(), "Basic constitution");
        EXPECT_EQ(dialog->Headers[1].strip->LyLoadPicture().size(),
                  dialog->Headers[0].strip->LyLoadPicture().size());
        EXPECT_EQ(dialog->EdtBrow->text(), "(Bin)\\Project");
        EXPECT_EQ(dialog->EdtBuilder->text(), "(Builder)\\Output\\Cards");
        EXPECT_FALSE(dialog->EdtNumber->isEditable());
        EXPECT_EQ(entries(dialog->EdtNumber),
                  QStringList({"", "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
        EXPECT_EQ(dialog->EdtNumber->currentText(), "3");
        EXPECT_TRUE(dialog->CheckBoxEvery->isChecked());
        EXPECT_FALSE(dialog->CheckBoxUpdate->isChecked());
        EXPECT_TRUE(dialog->CheckBoxAuto->isChecked());
        EXPECT_FALSE(dialog->CheckPicture->isChecked());
        EXPECT_TRUE(dialog->CheckFlash->isChecked());
        EXPECT_FALSE(dialog->CheckMovie->isChecked()) << "only \"1\" is on";
        EXPECT_TRUE(dialog->CheckPicText->isChecked());
        EXPECT_TRUE(unnamedControls(dialog).isEmpty()) << unnamedControls(dialog).join(", ").toStdString();

        // The tree chooses the page and its title.
        QTreeWidgetItem *engineering = dialog->TreeView1->topLevelItem(2);
        QTest::mouseClick(dialog->TreeView1->viewport(), Qt::LeftButton, {},
                          dialog->TreeView1->visualItemRect(engineering).center());
        EXPECT_EQ(dialog->PageControl1->currentIndex(), 2);
        EXPECT_EQ(dialog->Headers[2].title->text(), "Engineering constitution");
        tick(dialog->CheckMovie);
        dialog->TreeView1->setCurrentItem(dialog->TreeView1->topLevelItem(1));
        EXPECT_EQ(dialog->PageControl1->currentIndex(), 1);
        EXPECT_EQ(dialog->Headers[1].title->text(), "System constitution");
        tick(dialog->CheckBoxUpdate);
        tick(dialog->CheckBoxEvery);
        dialog->TreeView1->setCurrentItem(dialog->TreeView1->topLevelItem(0));

        dialog->EdtNumber->setCurrentText("7");
        dialog->EdtBuilder->setText("  /home/me/(Builder)out  ");
        click(dialog->BtnOk);
    });
    main->Option->trigger();
    EXPECT_TRUE(script.finished());
    EXPECT_TRUE(script.unexpected.isEmpty()) << script.unexpected.join(", ").toStdString();
    EXPECT_EQ(ly::ReadConfig("System", "OpenDir"), "\\Project");
    EXPECT_EQ(ly::ReadConfig("System", "SaveDir"), "/home/me/(Builder)out");
    EXPECT_EQ(ly::ReadConfig("Finished", "Number"), "7");
    const std::pair<const char *, const char *> written[] = {
        {"EveryStudy", "0"}, {"SoftUpdate", "1"}, {"AutoFlag", "1"}, {"PictureCheck", "0"},
        {"FlashCheck", "1"}, {"MovieCheck", "1"}, {"PicTextCheck", "1"},
    };
    for (const auto &[key, value] : written)
        EXPECT_EQ(ly::ReadConfig("System", key), value) << key;
}

TEST_F(StartupWindowsTest, OptionsKeepEmptyFoldersAndNumberAndCancelWritesNothing)
{
    ly::WriteConfig("System", "OpenDir", "/cards/open");
    ly::WriteConfig("System", "SaveDir", "");
    ly::WriteConfig("Finished", "Number", "");
    start();
    const QByteArray before = lytest::readFile(ly::ConfigFile());
    {
        ModalScript script;
        script.then<TFrmOption>([](TFrmOption *dialog) {
            EXPECT_EQ(dialog->EdtBrow->text(), "/cards/open");
            EXPECT_EQ(dialog->EdtBuilder->text(), "");
            dialog->EdtBrow->setText("(Bin)\\Elsewhere");
            tick(dialog->CheckBoxEvery);
            click(dialog->BtnCancel);
        });
        main->Option->trigger();
        EXPECT_TRUE(script.finished());
    }
    EXPECT_EQ(lytest::readFile(ly::ConfigFile()), before) << "Cancel";
    {
        ModalScript script;
        script.then<TFrmOption>([](TFrmOption *dialog) {
            EXPECT_EQ(dialog->EdtNumber->currentIndex(), 0) << "no list kept";
            dialog->EdtBrow->setText("   ");
            click(dialog->BtnOk);
        });
        main->Option->trigger();
        EXPECT_TRUE(script.finished());
    }
    EXPECT_EQ(ly::ReadConfig("System", "OpenDir"), "/cards/open") << "an empty field keeps its key";
    EXPECT_EQ(ly::ReadConfig("System", "SaveDir"), "");
    EXPECT_EQ(ly::ReadConfig("Finished", "Number"), "") << "still no list kept";
}

TEST_F(StartupWindowsTest, OptionsFolderButtonsPutTheChosenFolderIntoTheirFields)
{
    start();
    TFrmOption dialog(main.get());
    QStringList titles;
    bool choose = true;
    dialog.setFolderPicker([&](QWidget *, const QString &title, QString &folder) {
        titles.append(title);
        folder = "/chosen/" + QString::number(titles.size());
        return choose;
    });
    ModalScript script;
    script.then<TFrmOption>([&](TFrmOption *d) {
        click(d->BtnBrow);
        click(d->BtnBuilder);
        EXPECT_EQ(d->EdtBrow->text(), "/chosen/1");
        EXPECT_EQ(d->EdtBuilder->text(), "/chosen/2");
        choose = false;
        click(d->BtnBrow);
        EXPECT_EQ(d->EdtBrow->text(), "/chosen/1") << "a cancelled choice changes nothing";
        click(d->BtnOk);
    });
    ModalGuard guard(&dialog);
    EXPECT_EQ(dialog.ShowModal(), Tly_Form::mrOk);
    EXPECT_EQ(titles, QStringList(3, "Please choose the catalogue"));
    EXPECT_EQ(ly::ReadConfig("System", "OpenDir"), "/chosen/1");
    EXPECT_EQ(ly::ReadConfig("System", "SaveDir"), "/chosen/2");
}

// A skinned window that closes itself while it is being shown.
class ClosesWhenShown : public Tly_Form
{
protected:
    void showEvent(QShowEvent *event) override
    {
        Tly_Form::showEvent(event);
        close();
    }
};

TEST_F(StartupWindowsTest, AWindowThatClosesWhileBeingShownEndsItsModalRunAtOnce)
{
    ClosesWhenShown window;
    ModalGuard guard(&window, 5000);
    EXPECT_EQ(window.ShowModal(), Tly_Form::mrCancel);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    // And it can run again.
    EXPECT_EQ(window.ShowModal(), Tly_Form::mrCancel);
}

} // namespace
