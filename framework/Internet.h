// The Internet classes in one include.
#pragma once

#include "CHttpFile.h"
#include "CInternetException.h"
#include "CInternetSession.h"
