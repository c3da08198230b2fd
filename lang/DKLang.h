#pragma once
// Localisation: the language manager, translation files, constants, property maps and the
// language controller. The application includes this one header.
#include "lang/DKLangConstants.h"
#include "lang/DKLangController.h"
#include "lang/DKLangManager.h"
#include "lang/DKLangMasks.h"
#include "lang/DKLangPropMaps.h"
#include "lang/DKLangStream.h"
#include "lang/DKLangTranslations.h"
#include "lang/DKL_LanguageCodes.h"
