/* The frame the selection plug-ins share: they re-map the display levels of
 * the active image inside its selection (the whole image when nothing is
 * selected) and leave its data alone. */
#ifndef QD_SELECTED_AREA_H
#define QD_SELECTED_AREA_H

#include <qd/plugin.h>

/* Computes the new levels of the w x h area into bitmap, reading data; both
 * matrices are windowed on the area. 0 when memory ran out. */
typedef int (*AreaRemap)(MTHANDLE data, MTHANDLE bitmap, int32_t w, int32_t h);

/* PlugInMenuUpdate: disabled without an active image or for a type whose
 * levels are not one byte of a real value. */
int areaMenuUpdate(PLUGINSERVER server);
/* PlugInMain: checks the active image, runs remap on its area, repaints. */
int runOnSelectedArea(PLUGINSERVER server, AreaRemap remap);

/* The area's value range as a stretch s * value + o onto 0 .. 256; 0 when
 * the area is flat (or holds no number), which then shows mid-grey. */
int areaStretch(MTHANDLE data, int32_t w, int32_t h, double* s, double* o);
void fillArea(MTHANDLE bitmap, int32_t w, int32_t h, int32_t level);
/* Truncation toward zero that is defined for every double: NaN gives 0,
 * values beyond the integer range saturate. */
int32_t truncLevel(double v);

#endif
