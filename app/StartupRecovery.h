// Start-up's recovery step: a damaged data file with a good backup copy gets the offer
// to put the copy in its place ("Tidemarker:", Yes/No). Yes keeps the damaged file aside
// as favors.db.damaged-YYYYMMDD-HHMMSS and puts the copy in its place; No leaves the file
// untouched.
#pragma once
#include "app/Startup.h"
#include <string>

RecoveryChoice OfferStoreRecovery(const std::wstring& databasePath, bool openFailed);

// Start-up text for a damaged data file the user kept: it is only read.
std::wstring DamagedStoreKeptText();
