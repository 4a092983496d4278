#include "player/widgets/PlayerApp.h"

#include "card/FrmBlkSection.h"
#include "player/AlbumShow.h"
#include "player/BackgroundPicture.h"
#include "player/CardPlayer.h"
#include "player/CardSource.h"
#include "player/CardTempFolder.h"
#include "player/CardWebEngine.h"
#include "player/EndActions.h"
#include "player/Sound.h"
#include "player/widgets/AlbumWindow.h"
#include "player/widgets/AnimationPage.h"
#include "player/widgets/BackgroundWindow.h"
#include "player/widgets/ControlPanel.h"
#include "player/widgets/WebAnimationPage.h"
#include "platform/WebView.h"
#include "shared/Version.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImageReader>
#include <QMessageBox>
#include <QPainter>
#include <QRandomGenerator>
#include <QScreen>
#include <QSocketNotifier>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <exception>
#include <functional>
#include <thread>
#include <sys/socket.h>
#include <unistd.h>

namespace ly::player {

namespace {

constexpr qint64 kTickMs = 40;
// --run-to-end gives up on a card that has not ended after this much of its own time.
constexpr qint64 kRunToEndLimitMs = 24LL * 3600 * 1000;

// A snapshot waits this long at most for the animation page's first picture, and lets it run
// at most this long afterwards.
constexpr int kPageStartMs = 20000;
constexpr qint64 kPageRunMs = 5000;

int g_signalPipe[2] = {-1, -1};

void onExitSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] ssize_t n = ::write(g_signalPipe[1], &byte, 1);
}

// SIGINT, SIGTERM and SIGHUP end the card through its event loop, so its folder goes too.
void catchExitSignals()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) != 0)
        return;
    struct sigaction action {};
    action.sa_handler = onExitSignal;
    sigemptyset(&action.sa_mask);
    for (int sig : {SIGINT, SIGTERM, SIGHUP})
        ::sigaction(sig, &action, nullptr);
}

bool exitSignalled()
{
    char byte;
    return g_signalPipe[0] >= 0 && ::recv(g_signalPipe[0], &byte, 1, MSG_DONTWAIT) == 1;
}

bool onDesktop()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

QString ownProgram()
{
    const QString exe = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    return exe;
}

struct Options
{
    enum Mode { Play, Snapshot, RunToEnd, NoAutostart } mode = Play;
    double seconds = 0;
    QString out;
    bool valid = true;
};

Options parse(int argc, char **argv)
{
    Options o;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == QLatin1String("--snapshot")) {
            bool ok = false;
            o.mode = Options::Snapshot;
            if (i + 2 < argc) {
                o.seconds = QString::fromLocal8Bit(argv[i + 1]).toDouble(&ok);
                o.out = QString::fromLocal8Bit(argv[i + 2]);
                i += 2;
            }
            o.valid = ok && o.seconds >= 0 && o.seconds < 1e7 && !o.out.isEmpty();
        } else if (arg == QLatin1String("--run-to-end")) {
            o.mode = Options::RunToEnd;
        } else if (arg == QLatin1String("--no-autostart")) {
            o.mode = Options::NoAutostart;
        }
    }
    return o;
}

int fail(const QString &text, bool box, int &argc, char **argv)
{
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    if (box) {
        QApplication app(argc, argv);
        QMessageBox::critical(nullptr, QStringLiteral("Lyrabell card"), text);
    }
    return 1;
}

} // namespace

CardStage::CardStage(const CardProject &project, SoundOutput &sound, quint32 seed,
                     const QString &pageFolder, bool virtualClock)
    : m_player(std::make_unique<CardPlayer>(project, sound, seed)), m_virtual(virtualClock)
{
    const FrmBlkSection &blk = m_player->background().section();
    if (blk.kind != FrmBlkSection::Kind::None) {
        std::unique_ptr<StillAnimationPage> page;
        if (blk.kind == FrmBlkSection::Kind::Animation) {
            if (platform::WebViewAvailable() && !pageFolder.isEmpty())
                page = std::make_unique<WebAnimationPage>();
            else
                page = std::make_unique<StillAnimationPage>();
            m_page = page.get();
            if (!pageFolder.isEmpty())
                m_page->open(pageFolder + QStringLiteral("index.htm"));
        }
        m_background = std::make_unique<BackgroundWindow>(m_player->background(), page.release());
        m_background->onClose = [] { QCoreApplication::quit(); };
    }
    AlbumShow *album = m_player->album();
    if (album && !album->empty()) {
        m_album = std::make_unique<AlbumWindow>(*album, [this] { return m_player->now(); });
        m_album->onClose = [] { QCoreApplication::quit(); };
    }
    // Without any window the panel is the card's only face, so it shows regardless.
    if (m_player->system().arrowPanelFlag || (!m_background && !m_album)) {
        m_panel = std::make_unique<ControlPanel>();
        m_panel->onPrevious = [this] { m_player->previous(); refresh(); };
        m_panel->onNext = [this] { m_player->next(); refresh(); };
        m_panel->onPause = [this] {
            m_player->togglePause();
            m_panel->setPaused(m_player->paused());
        };
        m_panel->onClose = [] { QCoreApplication::quit(); };
    }
}

CardStage::~CardStage() = default;

QRect CardStage::screen() const
{
    const QScreen *s = QGuiApplication::primaryScreen();
    return s ? s->geometry() : QRect(0, 0, 800, 600);
}

void CardStage::show()
{
    const QRect area = screen();
    if (m_background) {
        m_background->setGeometry(area);
        if (m_virtual)
            m_background->show();
        else
            m_background->showFullScreen();
    }
    if (m_album) {
        m_album->refresh(area);
        m_album->show();
    }
    if (m_panel) {
        m_panel->adjustSize();
        m_panel->move(area.right() - m_panel->width() - 16, area.bottom() - m_panel->height() - 16);
        m_panel->show();
    }
    refresh();
}

void CardStage::refresh()
{
    const QRect area = screen();
    m_player->background().advanceTo(m_player->now(), m_background ? m_background->size() : area.size());
    if (m_background)
        m_background->refresh();
    if (m_album)
        m_album->refresh(area);
}

QImage CardStage::grabScreen()
{
    const QRect area = screen();
    QImage image(area.size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    for (QWidget *w : {static_cast<QWidget *>(m_background.get()), static_cast<QWidget *>(m_album.get()),
                       static_cast<QWidget *>(m_panel.get())})
        if (w && w->isVisible())
            painter.drawPixmap(w->geometry().topLeft() - area.topLeft(), w->grab());
    return image;
}

void CardStage::runEndActions(bool toStdout)
{
    const SystemSection &s = m_player->system();
    if (s.showMsgFlag && !s.showMsg.isEmpty()) {
        if (toStdout) {
            std::printf("%s\n", s.showMsg.toLocal8Bit().constData());
            std::fflush(stdout);
        } else {
            QMessageBox box(QMessageBox::Information, QStringLiteral("Lyrabell card"), s.showMsg);
            box.setTextFormat(Qt::PlainText);
            box.exec();
        }
    }
    if (s.openHttpFlag) {
        const QString page = WebPageOf(s.openHttp);
        if (!page.isEmpty() && !StartDesktopProgram(QStringLiteral("xdg-open"), {page}))
            std::fprintf(stderr, "Cannot open the page %s: xdg-open is missing\n", page.toLocal8Bit().constData());
    }
    if (s.sendMailFlag) {
        const QString address = MailAddressOf(s.sendMail);
        if (!address.isEmpty() && !StartDesktopProgram(QStringLiteral("xdg-email"), {address}))
            std::fprintf(stderr, "Cannot write a mail: xdg-email is missing\n");
    }
}

bool CardStage::waitForPage(int ms)
{
    auto *web = dynamic_cast<WebAnimationPage *>(m_page);
    return web && web->waitForPicture(ms);
}

int RunPlayer(int argc, char **argv, QByteArrayView webEngineModule)
{
    const Options options = parse(argc, argv);
    const bool testInterface = options.mode == Options::Snapshot || options.mode == Options::RunToEnd;
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const bool box = onDesktop() && !testInterface && !platform.startsWith("offscreen")
                     && !platform.startsWith("minimal");
    if (!options.valid)
        return fail(QStringLiteral("Usage: CARD [--snapshot SECONDS OUT.png | --run-to-end | --no-autostart]"),
                    false, argc, argv);
    const QString program = ownProgram();
    const bool preview = IsPreviewProgram(program);
    if (options.mode == Options::NoAutostart) {
        RemoveAutostartEntry(program);
        return 0;
    }
    catchExitSignals();

    std::unique_ptr<CardTempFolder> temp;
    CardProject project;
    // On the desktop the card's first picture comes before its music is unpacked: the music
    // package, most of a card, is unpacked meanwhile and the card starts once it is there.
    // Through the test interface everything is unpacked first, so runs are repeatable.
    std::function<void()> unpackMusic;
    try {
        temp = std::make_unique<CardTempFolder>();
        project = preview ? PreviewProject(program)
                          : UnpackCard(program, temp->path(), testInterface ? nullptr : &unpackMusic);
    } catch (const NoCardError &) {
        return fail(QStringLiteral("Lyrabell card player %1: this program holds no card to play.")
                        .arg(QLatin1String(kVersionText)),
                    box, argc, argv);
    } catch (const Error &e) {
        temp.reset();
        return fail(QStringLiteral("This card cannot be played: %1.").arg(e.text()), box, argc, argv);
    }
    if (exitSignalled())
        return 1;

    // The player needs a screen; the test interface also runs without one.
    if (!onDesktop() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        if (!testInterface)
            return fail(QStringLiteral("This card needs a desktop to play on."), false, argc, argv);
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    platform::PrepareWebEngine();
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    QImageReader::setAllocationLimit(512);
    QSocketNotifier signals(g_signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&signals, &QSocketNotifier::activated, &app, [] { QCoreApplication::exit(1); });

    const FrmBlkSection blk = ReadFrmBlkSection(project.projectFile);
    QString pageFolder;
    if (blk.kind == FrmBlkSection::Kind::Animation && !blk.blkTmpName.isEmpty()) {
        pageFolder = temp->path() + QStringLiteral("http/");
        try {
            UnpackBackgroundPage(project.projectFolder + QStringLiteral("BlkTmp/") + blk.blkTmpName,
                                 pageFolder);
        } catch (const Error &e) {
            std::fprintf(stderr, "%s\n", e.text().toLocal8Bit().constData());
            pageFolder.clear();
        }
    }
    if (!pageFolder.isEmpty()) {
        QString why;
        if (!UseCardWebEngine(webEngineModule, temp->path(), &why))
            std::fprintf(stderr, "%s\n",
                         (kStillAnimationNote + why).toLocal8Bit().constData());
    }

    if (!preview) {
        try {
            if (ReadSystemSection(project.projectFile).autoRun)
                WriteAutostartEntry(program, QFileInfo(program).completeBaseName());
            else
                RemoveAutostartEntry(program);
        } catch (const Error &e) {
            std::fprintf(stderr, "%s\n", e.text().toLocal8Bit().constData());
        }
    }

    std::unique_ptr<SoundOutput> sound;
    if (testInterface)
        sound = std::make_unique<VirtualSoundOutput>();
    else
        sound = std::make_unique<QtSoundOutput>();
    const quint32 seed = testInterface ? 1u : QRandomGenerator::global()->generate();
    CardStage stage(project, *sound, seed, pageFolder, testInterface);
    CardPlayer &player = stage.player();

    if (options.mode == Options::Snapshot) {
        stage.show();
        player.start();
        const qint64 target = qint64(options.seconds * 1000);
        while (player.now() < target) {
            const qint64 before = player.now();
            player.advanceBy(std::min(kTickMs, target - player.now()));
            if (player.now() == before)
                break;
        }
        stage.refresh();
        QCoreApplication::processEvents();
        // The page runs on its own real clock: it gets up to kPageRunMs of it after its first
        // picture (one of the snapshot's moment where that is shorter), so later moments show
        // later pictures. Without the engine nothing waits and the picture is fixed.
        if (stage.waitForPage(kPageStartMs))
            RunEventsFor(int(std::min<qint64>(target, kPageRunMs)));
        if (!stage.grabScreen().save(options.out, "PNG")) {
            std::fprintf(stderr, "Cannot write %s\n", options.out.toLocal8Bit().constData());
            return 1;
        }
        return 0;
    }
    if (options.mode == Options::RunToEnd) {
        stage.show();
        player.start();
        while (!player.ended() && player.now() < kRunToEndLimitMs) {
            player.advanceBy(kTickMs);
            if (player.now() % 1000 == 0)
                QCoreApplication::processEvents();
        }
        if (!player.ended()) {
            std::fprintf(stderr, "The card did not end.\n");
            return 1;
        }
        stage.runEndActions(true);
        return 0;
    }

    player.onEnded = [&stage] {
        // After the current tick, so the box's own event loop does not run inside it.
        QTimer::singleShot(0, [&stage] { stage.runEndActions(false); });
    };
    QElapsedTimer clock;
    qint64 last = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &app, [&] {
        const qint64 elapsed = clock.elapsed();
        player.advanceBy(elapsed - last);
        last = elapsed;
        stage.refresh();
    });
    const auto startCard = [&] {
        player.start();
        clock.start();
        tick.start(int(kTickMs));
    };
    stage.show();
    if (!unpackMusic) {
        startCard();
        return app.exec();
    }
    // A music package that turns out damaged leaves a card without music.
    std::thread unpacking([&unpackMusic, &app, &startCard] {
        try {
            unpackMusic();
        } catch (const Error &e) {
            std::fprintf(stderr, "This card plays without its music: %s.\n",
                         e.text().toLocal8Bit().constData());
        } catch (const std::exception &e) {
            std::fprintf(stderr, "This card plays without its music: %s.\n", e.what());
        }
        QMetaObject::invokeMethod(&app, startCard, Qt::QueuedConnection);
    });
    const int code = app.exec();
    // The temporary folder goes only once nothing writes into it any more.
    unpacking.join();
    return code;
}

} // namespace ly::player
