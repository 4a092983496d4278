#pragma once

#include <QString>
#include <QWidget>

// The background animation: a page of its own shown in a view that fills the background
// window (clicks reach the page). WebAnimationPage shows it in the platform's web view; where
// the player has no web engine StillAnimationPage stands in, a black surface that remembers the
// page it was given.
namespace ly::player {

class AnimationPage
{
public:
    virtual ~AnimationPage() = default;
    virtual QWidget *widget() = 0;
    // Shows the page startPage (an "index.htm" in the card's private folder).
    virtual void open(const QString &startPage) = 0;
};

class StillAnimationPage : public QWidget, public AnimationPage
{
public:
    explicit StillAnimationPage(QWidget *parent = nullptr);
    QWidget *widget() override { return this; }
    void open(const QString &startPage) override { m_page = startPage; }
    const QString &page() const { return m_page; }

private:
    QString m_page;
};

} // namespace ly::player
