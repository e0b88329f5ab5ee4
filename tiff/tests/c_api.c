/* The public header must compile as plain C. */
#include <qd/tiff.h>

int qd_tiff_c_api_check(void);

int qd_tiff_c_api_check(void) {
    IMHANDLE im = OpenTiff("no such file.tif");
    return im == 0;
}
