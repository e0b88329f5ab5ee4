/* The public header must compile as plain C. */
#include <qd/dlg.h>

int qd_dlg_c_api_check(void);

int qd_dlg_c_api_check(void) {
    char text[4] = "abc";
    QDRAWIMPORT raw = {0, 0, 0};
    PALETTEDESC* chosen = 0;
    /* Null records fail before any dialog is made. */
    return RunInputTextDialog(0, "c", "p", 0, 4) + RunPalDialog(0, 0, PAL_256, &chosen) +
           RunNewImageDialog(0, 0) + RunImportDialog(0, "x", 0, &raw) + (text[0] == 'a' ? 0 : 1);
}
