#pragma once

#include "control/widgets/Ly_Form.h"
#include "editor/Library.h"
#include "editor/widgets/LibraryTree.h"
#include "shared/widgets/ListHelpers.h"

#include <QStringList>

#include <functional>
#include <memory>

class QGroupBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QTimer;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class TlyFolderTree;
namespace ly {
class MusicSortState;
}
namespace ly::platform {
class MediaDevice;
class MediaPlayerBar;
} // namespace ly::platform

// The music chooser of the background editor: a music library or any folder on the left, its
// music files on the right with check boxes, a player to listen to the selected one. "&Open"
// takes the checked files that the background list does not name yet; a file whose name
// cannot be stored is copied into the project's "Music" folder under a storable name (the
// user's own file is never renamed or changed).
//
//     TFrmLoadMusic chooser(this);
//     chooser.setLibrarySection("DirMusicSet");
//     chooser.setMusicFolder(projectFolder + "Music");
//     chooser.setIsListed([&](const QString &name) { return editor.ListsMusic(name); });
//     chooser.ShowModal();
//     editor.AddMusicFiles(chooser.ChosenFiles());
class TFrmLoadMusic : public Tly_Form, public ly::LibraryPages
{
    Q_OBJECT

public:
    // The columns of recordList.
    enum { NameColumn = 0, SizeColumn = 1, TypeColumn = 2 };
    static constexpr int kPollMs = 100;

    explicit TFrmLoadMusic(QWidget *owner = nullptr);
    ~TFrmLoadMusic() override;

    void setLibrarySection(const QString &section) { m_section = section; }
    void setMusicFolder(const QString &folder) { m_musicFolder = folder; }
    void setIsListed(std::function<bool(const QString &fileName)> listed) { m_isListed = std::move(listed); }
    // The player; the real one is made on first use.
    void setMediaDevice(std::unique_ptr<ly::platform::MediaDevice> device);
    // After "&Open": the files to list, in list order; empty after "&Cancel".
    QStringList ChosenFiles() const { return m_chosen; }

    // The folder whose files are listed.
    QString CurrentFolder() const { return m_folder; }
    void ShowFolder(const QString &folder);
    ly::platform::MediaDevice &Player();
    int SortMark(int column) const;
    QTreeWidgetItem *Row(const QString &fileName) const;

    QLabel *TextTop_Lbl;
    QLabel *TextBtm_Lbl;
    QLabel *Panel_R_Top;
    QTreeWidget *recordList;
    QGroupBox *GroupBox_Music;
    QLabel *MusicName_Lbl;
    ly::platform::MediaPlayerBar *MediaPlayer1;
    QTimer *TimerPlay;
    QPushButton *BtnOpen;
    QPushButton *BtnCancel;
    QWidget *StatusBar1;
    QLabel *StatusPanel0;

public Q_SLOTS:
    void FormShow();
    void TreeView1Click(QTreeWidgetItem *node);
    void ShellTreeView1Change(QTreeWidgetItem *node);
    void recordListColumnClick(int column);
    void recordListClick();
    void recordListDblClick(QTreeWidgetItem *row);
    void BtnPlayClick();
    void BtnPauseClick();
    void BtnStopClick();
    void TimerPlayTimer();
    void BtnCreateClick();
    void BtnDeleteClick();
    void BtnRenameClick();
    void BtnOpenClick();
    void BtnCancelClick();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void LoadTexts();
    void LayoutParts();
    void StopPlaying();

    QString m_section = QLatin1String(ly::kMusicLibrary);
    QString m_musicFolder;
    std::function<bool(const QString &)> m_isListed;
    ly::LibraryRecords m_records;
    ly::ImageList m_icons; // 0 and 1 the sort marks, then .mid, .wav, .mp3, .wma
    std::unique_ptr<ly::MusicSortState> m_sort;
    QString m_folder;
    QString m_selectedName;
    bool m_paused = false;
    QString m_locationPrefix;
    QString m_sumPrefix;
    QStringList m_chosen;
};
