#include "strategy/uTGameAnalysis.h"
