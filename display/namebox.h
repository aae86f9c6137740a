// The band in the name box where a clicked chord's name and sample line stand.
#pragma once

void clearNameBand();
