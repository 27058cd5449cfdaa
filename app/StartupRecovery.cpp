#include "app/StartupRecovery.h"
#include "backup/StoreRecovery.h"
#include "framework/Seams.h"
#include <windows.h>

namespace {

constexpr const wchar_t* kDataFile = L"\\Data\\favors.db";

std::wstring OfferText(const RecoveryOffer& offer, const std::wstring& damagedName) {
    return std::wstring(L"Your favorites data file ") + kDataFile + L" is damaged (" + offer.problem +
           L").\n\nRestore the newest good backup, made " + StampText(offer.copy->name.stamp) + L" (" +
           CountsText(offer.counts.folders, offer.counts.favors) + L")?\nThe damaged file is kept as \\Data\\" + damagedName + L".";
}

}  // namespace

RecoveryChoice OfferStoreRecovery(const std::wstring& databasePath, bool openFailed) {
    const CBackups backups(databasePath);
    const RecoveryOffer offer = ExamineDataFile(backups, openFailed);
    if (!offer.Offered()) return RecoveryChoice::NotNeeded;
    const size_t slash = databasePath.find_last_of(L"\\/");
    const std::wstring damagedName =
        DamagedFileName(slash == std::wstring::npos ? databasePath : databasePath.substr(slash + 1), CBackups::Now());
    const int answer = seams::MessageBox(nullptr, OfferText(offer, damagedName), kStoreFailedCaption,
                                         MB_ICONEXCLAMATION | MB_YESNO);
    if (answer != IDYES) return RecoveryChoice::Declined;
    const std::wstring problem = PutCopyInPlace(backups, offer.copy->path, FolderOfPath(databasePath) + L"\\" + damagedName);
    if (problem.empty()) return RecoveryChoice::Restored;
    seams::MessageBox(nullptr,
                      L"The backup could not be put in place (" + problem + L"). Your favorites data file " +
                          kDataFile + L" was not changed.",
                      kStoreFailedCaption, MB_ICONEXCLAMATION | MB_OK);
    return RecoveryChoice::Declined;
}

std::wstring DamagedStoreKeptText() {
    return std::wstring(L"Your favorites data file ") + kDataFile +
           L" is damaged. You can browse and open your favorites, but changes cannot be saved.";
}
