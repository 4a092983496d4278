#include "player/PlayerFixture.h"

#include "card/PackageFixtures.h"

#include <QSet>

// A built card with an animated background, played by the player with the real web engine it
// carries (plain build: the engine cannot run under the sanitizers).
namespace {

// A page that moves a red square across a blue field on its own clock.
constexpr char kMovingPage[] = R"(<!DOCTYPE html>
<html><body style="margin:0;background:#0000c0;overflow:hidden">
<div id="box" style="position:absolute;top:100px;width:60px;height:60px;background:#ff0000"></div>
<script>
const start = performance.now();
function step(now) {
  document.getElementById('box').style.left = (((now - start) / 4) % 700) + 'px';
  requestAnimationFrame(step);
}
requestAnimationFrame(step);
</script></body></html>)";

class CardAnimationWebTest : public playertest::PlayerTest
{
};

int colourCount(const QImage &image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 8)
        for (int x = 0; x < image.width(); x += 8)
            colours.insert(image.pixel(x, y));
    return int(colours.size());
}

TEST_F(CardAnimationWebTest, AnimatedBackgroundShowsItsRunningPage)
{
    const QString card = build(makeProject(
        "[FrmBlk]\nBlkCheckName=1\nBlkIndex=1\nBlkTmpName=Moving.tmp\n[System]\nArrowPanelFlag=0\n",
        {{"BlkTmp/Moving.tmp", packagetest::packageOf({{"index.htm", kMovingPage}})}}));
    const QImage early = snapshot(card, 0.5);
    const QImage later = snapshot(card, 2.5);
    ASSERT_FALSE(early.isNull());
    ASSERT_FALSE(later.isNull());
    if (const QByteArray dir = qgetenv("LYRABELL_WEB_SHOTS"); !dir.isEmpty()) {
        early.save(QString::fromLocal8Bit(dir) + "/card-early.png");
        later.save(QString::fromLocal8Bit(dir) + "/card-later.png");
    }
    // The page's blue field fills the screen, with its red square somewhere on it.
    for (const QImage &shot : {early, later}) {
        EXPECT_EQ(shot.pixel(shot.width() - 2, shot.height() - 2), qRgb(0, 0, 0xc0));
        EXPECT_GE(colourCount(shot), 2);
    }
    // The square has moved on between the two moments.
    EXPECT_NE(early, later);
    EXPECT_TRUE(leftovers().isEmpty()) << leftovers().join(", ").toStdString();
}

} // namespace
