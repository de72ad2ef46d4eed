#include "projectcharts.h"
