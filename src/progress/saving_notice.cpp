#include "progress/saving_notice.h"

namespace pathwick {

void ShowSavingNotice(const Progress& progress, ScreenLayer& screen, int foreground, int background,
                      int pageForeground) {
    if (!progress.remembers() || progress.saving()) return;
    screen.setColor(foreground, background);
    screen.locate(kSavingNoticeRow, kSavingNoticeColumn);
    screen.printText(kSavingNotice);
    screen.setColor(pageForeground, background);
}

}  // namespace pathwick
