#pragma once

class TFrmMain;

// The start-up aids of the main window: the quick start and what it chose, the tip of the day
// and the material download, as ly::RunStartupAids orders them.
void RunMainStartupAids(TFrmMain &main);
// The quick start window, modal; its answer goes to main.QuickStartChoice.
void ShowQuickStart(TFrmMain &main);
// The tips window, modal.
void ShowTipOfTheDay(TFrmMain &main);
