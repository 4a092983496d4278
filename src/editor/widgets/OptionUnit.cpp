#include "editor/widgets/OptionUnit.h"

#include "control/widgets/LyFullPicture.h"
#include "control/widgets/Skin.h"
#include "editor/StartupAids.h"
#include "shared/Settings.h"
#include "shared/widgets/FolderPicker.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStackedWidget>
#include <QToolButton>
#include <QTreeWidget>

namespace {

constexpr int kPageWidth = 390;
constexpr int kMaxRecentProjects = 10;


QLabel *label(QWidget *parent, const QRect &at, bool bold = false)
{
    auto *l = new QLabel(parent);
    l->setGeometry(at);
    if (bold) {
        QFont font = l->font();
        font.setBold(true);
        l->setFont(font);
    }
    return l;
}

QCheckBox *checkBox(QWidget *parent, int y)
{
    auto *box = new QCheckBox(parent);
    box->setGeometry(24, y, 330, 22);
    return box;
}

QLineEdit *folderField(QWidget *parent, QLabel *caption, int y)
{
    auto *field = new QLineEdit(parent);
    field->setGeometry(140, y, 200, 24);
    caption->setBuddy(field);
    return field;
}

QToolButton *dotsButton(QWidget *parent, int y)
{
    auto *button = new QToolButton(parent);
    button->setText(QStringLiteral("..."));
    button->setGeometry(344, y, 30, 24);
    return button;
}

} // namespace

TFrmOption::TFrmOption(QWidget *owner)
    : Tly_Form(owner)
    , m_folderPicker(ly::PickFolder)
{
    QWidget *client = ClientArea();
    TreeView1 = new QTreeWidget(client);
    TreeView1->setGeometry(8, 8, 180, 300);
    TreeView1->setHeaderHidden(true);
    TreeView1->setRootIsDecorated(false);
    TreeView1->setAccessibleName(QStringLiteral("TreeView1"));
    for (int k = 0; k < 3; ++k)
        new QTreeWidgetItem(TreeView1);

    PageControl1 = new QStackedWidget(client);
    PageControl1->setGeometry(196, 8, kPageWidth, 300);
    QWidget *pages[3];
    for (int k = 0; k < 3; ++k) {
        pages[k] = new QWidget(PageControl1);
        PageControl1->addWidget(pages[k]);
        PageHeader &header = Headers[k];
        header.strip = new TLyFullPicture(pages[k]);
        header.strip->setGeometry(0, 0, kPageWidth, 36);
        header.shadow = label(header.strip, QRect(13, 9, 360, 20), true);
        header.title = label(header.strip, QRect(12, 8, 360, 20), true);
        QPalette white = header.title->palette();
        white.setColor(QPalette::WindowText, Qt::white);
        header.title->setPalette(white);
        QPalette black = header.shadow->palette();
        black.setColor(QPalette::WindowText, Qt::black);
        header.shadow->setPalette(black);
    }
    Headers[0].strip->setLyLoadPicture(ly::SkinPicture(QStringLiteral("HeaderTop")));
    // The other strips take the first one's picture.
    Headers[1].strip->setLyLoadPicture(Headers[0].strip->LyLoadPicture());
    Headers[2].strip->setLyLoadPicture(Headers[0].strip->LyLoadPicture());

    QWidget *basic = pages[0];
    Label1 = label(basic, QRect(8, 48, 60, 20), true);
    Label3 = label(basic, QRect(70, 48, 120, 20));
    Label2 = label(basic, QRect(24, 76, 112, 22));
    EdtBrow = folderField(basic, Label2, 74);
    BtnBrow = dotsButton(basic, 74);
    Label4 = label(basic, QRect(8, 114, 60, 20), true);
    Label6 = label(basic, QRect(70, 114, 120, 20));
    Label5 = label(basic, QRect(24, 142, 112, 22));
    EdtBuilder = folderField(basic, Label5, 140);
    BtnBuilder = dotsButton(basic, 140);
    Label7 = label(basic, QRect(8, 180, 60, 20), true);
    Label8 = label(basic, QRect(24, 208, 150, 22));
    EdtNumber = new QComboBox(basic);
    EdtNumber->setEditable(false);
    EdtNumber->setGeometry(180, 206, 64, 24);
    Label8->setBuddy(EdtNumber);

    QWidget *system = pages[1];
    Label11 = label(system, QRect(8, 48, 200, 20), true);
    CheckBoxEvery = checkBox(system, 76);
    CheckBoxUpdate = checkBox(system, 104);
    CheckBoxAuto = checkBox(system, 132);

    QWidget *engineering = pages[2];
    Label12 = label(engineering, QRect(8, 48, 200, 20), true);
    Label13 = label(engineering, QRect(24, 74, 340, 20));
    CheckPicture = checkBox(engineering, 100);
    CheckFlash = checkBox(engineering, 128);
    CheckMovie = checkBox(engineering, 156);
    CheckPicText = checkBox(engineering, 184);

    BtnOk = new QPushButton(client);
    BtnOk->setGeometry(406, 318, 86, 28);
    BtnCancel = new QPushButton(client);
    BtnCancel->setGeometry(500, 318, 86, 28);
    BtnOk->setDefault(true);
    setClientAreaSize(QSize(596, 356));

    LoadTexts();
    ShowPage(0);

    connect(TreeView1, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *node) { TreeView1Click(node); });
    connect(BtnBrow, &QToolButton::clicked, this, &TFrmOption::BtnBrowClick);
    connect(BtnBuilder, &QToolButton::clicked, this, &TFrmOption::BtnBuilderClick);
    connect(BtnOk, &QPushButton::clicked, this, &TFrmOption::BtnOkClick);
    connect(BtnCancel, &QPushButton::clicked, this, &TFrmOption::BtnCancelClick);
}

void TFrmOption::LoadTexts()
{
    setTitleText(QStringLiteral("Option the constitution"));
    TreeView1->topLevelItem(0)->setText(0, QStringLiteral("Basic constitution"));
    TreeView1->topLevelItem(1)->setText(0, QStringLiteral("System constitution"));
    TreeView1->topLevelItem(2)->setText(0, QStringLiteral("Engineering constitution"));
    Label1->setText(QStringLiteral("Browse"));
    Label2->setText(QStringLiteral("Browse Directory:"));
    Label3->setText(QStringLiteral("Directory"));
    Label4->setText(QStringLiteral("Builder"));
    Label5->setText(QStringLiteral("Output Directory:"));
    Label6->setText(Label3->text());
    Label7->setText(QStringLiteral("Save Set"));
    Label8->setText(QStringLiteral("Save project number:"));
    BtnOk->setText(QStringLiteral("Ok"));
    BtnCancel->setText(QStringLiteral("Cancel"));
    Label11->setText(QStringLiteral("Other Set"));
    CheckBoxEvery->setText(QStringLiteral("Start Tip on start"));
    CheckBoxUpdate->setText(QStringLiteral("Automatic run the Fetchkit.exe"));
    CheckBoxAuto->setText(QStringLiteral("Show Quick Start to Startup"));
    Label12->setText(QStringLiteral("Projects"));
    Label13->setText(QStringLiteral("Please set the function for program"));
    CheckPicture->setText(QStringLiteral("Fly Album"));
    CheckFlash->setText(QStringLiteral("Set Flash"));
    CheckMovie->setText(QStringLiteral("Set movie"));
    CheckPicText->setText(QStringLiteral("Set Frame"));
}

void TFrmOption::ShowPage(int page)
{
    PageControl1->setCurrentIndex(page);
    const QString title = TreeView1->topLevelItem(page)->text(0);
    Headers[page].title->setText(title);
    Headers[page].shadow->setText(title);
    if (TreeView1->currentItem() != TreeView1->topLevelItem(page))
        TreeView1->setCurrentItem(TreeView1->topLevelItem(page));
}

void TFrmOption::TreeView1Click(QTreeWidgetItem *node)
{
    const int page = node ? TreeView1->indexOfTopLevelItem(node) : -1;
    if (page >= 0)
        ShowPage(page);
}

void TFrmOption::showEvent(QShowEvent *event)
{
    Tly_Form::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFrmOption::FormShow()
{
    const QString system = QStringLiteral("System");
    EdtBrow->setText(
        ly::FolderFieldText(ly::ReadConfig(system, QStringLiteral("OpenDir")), ly::kBinPrefix));
    EdtBuilder->setText(ly::FolderFieldText(ly::ReadConfig(system, QStringLiteral("SaveDir")),
                                            ly::kBuilderPrefix));

    // An empty entry keeps "no list kept"; a stored value outside 0 to 10 stays offered, so
    // that "Ok" does not change it unasked.
    EdtNumber->clear();
    EdtNumber->addItem(QString());
    for (int n = 0; n <= kMaxRecentProjects; ++n)
        EdtNumber->addItem(QString::number(n));
    const QString number = ly::ReadConfig(QStringLiteral("Finished"), QStringLiteral("Number"));
    int index = EdtNumber->findText(number);
    if (index < 0) {
        EdtNumber->addItem(number);
        index = EdtNumber->count() - 1;
    }
    EdtNumber->setCurrentIndex(index);

    const std::pair<QCheckBox *, const char *> flags[] = {
        {CheckBoxEvery, "EveryStudy"},   {CheckBoxUpdate, "SoftUpdate"},
        {CheckBoxAuto, "AutoFlag"},      {CheckPicture, "PictureCheck"},
        {CheckFlash, "FlashCheck"},      {CheckMovie, "MovieCheck"},
        {CheckPicText, "PicTextCheck"},
    };
    for (const auto &[box, key] : flags)
        box->setChecked(ly::SystemFlagOn(QLatin1String(key)));
    ShowPage(0);
}

void TFrmOption::BrowseInto(QLineEdit *field)
{
    QString folder;
    if (m_folderPicker(this, QStringLiteral("Please choose the catalogue"), folder))
        field->setText(folder);
}

void TFrmOption::BtnBrowClick()
{
    BrowseInto(EdtBrow);
}

void TFrmOption::BtnBuilderClick()
{
    BrowseInto(EdtBuilder);
}

void TFrmOption::BtnOkClick()
{
    const QString system = QStringLiteral("System");
    const QString openDir = ly::FolderFromField(EdtBrow->text(), ly::kBinPrefix);
    if (!openDir.isEmpty())
        ly::WriteConfig(system, QStringLiteral("OpenDir"), openDir);
    const QString saveDir = ly::FolderFromField(EdtBuilder->text(), ly::kBuilderPrefix);
    if (!saveDir.isEmpty())
        ly::WriteConfig(system, QStringLiteral("SaveDir"), saveDir);
    ly::WriteConfig(QStringLiteral("Finished"), QStringLiteral("Number"), EdtNumber->currentText());
    const std::pair<const char *, QCheckBox *> flags[] = {
        {"EveryStudy", CheckBoxEvery}, {"SoftUpdate", CheckBoxUpdate},
        {"AutoFlag", CheckBoxAuto},    {"PictureCheck", CheckPicture},
        {"FlashCheck", CheckFlash},    {"MovieCheck", CheckMovie},
        {"PicTextCheck", CheckPicText},
    };
    for (const auto &[key, box] : flags)
        ly::WriteSystemFlag(QLatin1String(key), box->isChecked());
    setModalResult(mrOk);
}

void TFrmOption::BtnCancelClick()
{
    setModalResult(mrCancel);
}
