// The demo issue's tunes, each composed into a format-neutral song.
#pragma once

#include "generators/song.h"

Song Opening();        // beg.xm
Song HarbourLights();  // tune1.xm
Song SectorZero();     // tune2.xm
Song CopperBars();     // tune3.mod
Song NightShift();     // tune4.s3m
