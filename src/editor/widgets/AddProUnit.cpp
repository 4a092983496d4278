#include "editor/widgets/AddProUnit.h"

#include "control/widgets/LyFullPicture.h"
#include "control/widgets/Skin.h"
#include "editor/widgets/AppException.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

TFrmAddPro::TFrmAddPro(const ly::ModuleChoice &current, PrepareFunction prepare, QWidget *owner)
    : Tly_Form(owner)
    , m_prepare(std::move(prepare))
{
    QWidget *client = ClientArea();
    PageControl1 = new QTabWidget(client);
    PageControl1->setGeometry(10, 10, 300, 178);
    TabSheet = new QWidget;
    PageControl1->addTab(TabSheet, QString());
    ListView1 = new QListWidget(TabSheet);
    ListView1->setGeometry(8, 8, 278, 128);
    ListView1->setIconSize(QSize(24, 24));
    const char *icons[] = {"PageAlbum", "PageFlash", "PageMovie", "PageFrame"};
    const bool ticks[] = {current.album, current.flash, current.movie, current.frameCard};
    for (int i = 0; i < 4; ++i) {
        auto *item = new QListWidgetItem(ly::SkinPicture(QLatin1String(icons[i])), QString(), ListView1);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        item->setCheckState(ticks[i] ? Qt::Checked : Qt::Unchecked);
    }

    BtnOk = new QPushButton(client);
    BtnOk->setGeometry(128, 198, 88, 28);
    BtnCancel = new QPushButton(client);
    BtnCancel->setGeometry(222, 198, 88, 28);
    setClientAreaSize(QSize(320, 236));

    connect(BtnOk, &QPushButton::clicked, this, ly::Guarded(this, &TFrmAddPro::BtnOkClick));
    connect(BtnCancel, &QPushButton::clicked, this, &TFrmAddPro::BtnCancelClick);
    LoadTexts();
}

void TFrmAddPro::LoadTexts()
{
    Label35->setText(QStringLiteral("Modify the project model"));
    Label36->setText(Label35->text());
    setWindowTitle(Label35->text());
    PageControl1->setTabText(0, QStringLiteral("Please choose a model"));
    BtnOk->setText(QStringLiteral("&Ok"));
    BtnCancel->setText(QStringLiteral("&Cancel"));
    const char *captions[] = {"Fly Album", "Add Flash", "Add Movie", "Set Frame"};
    for (int i = 0; i < 4; ++i)
        ListView1->item(i)->setText(QLatin1String(captions[i]));
}

bool TFrmAddPro::ticked(int entry) const
{
    return ListView1->item(entry)->checkState() == Qt::Checked;
}

void TFrmAddPro::BtnOkClick()
{
    // The entries are album, Flash, movie, frame card; PrepareProject takes the frame card
    // before the movie.
    m_prepare(ticked(0), ticked(1), ticked(3), ticked(2));
    setModalResult(mrOk);
}

void TFrmAddPro::BtnCancelClick()
{
    setModalResult(mrCancel);
}
