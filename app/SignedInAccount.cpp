#include "app/SignedInAccount.h"

#include <mutex>

namespace {

std::mutex& AccountMutex() {
    static std::mutex mutex;
    return mutex;
}

StoredAccount& Account() {
    static StoredAccount account;
    return account;
}

}  // namespace

StoredAccount CurrentAccount() {
    std::lock_guard<std::mutex> lock(AccountMutex());
    return Account();
}

void SetCurrentAccount(StoredAccount account) {
    std::lock_guard<std::mutex> lock(AccountMutex());
    Account() = std::move(account);
}

void ClearCurrentAccountName() {
    std::lock_guard<std::mutex> lock(AccountMutex());
    Account().account.clear();
}

StoredAccount LoadStoredAccount(const ProductRegistry& registry) {
    StoredAccount account = registry.ReadAccount();
    SetCurrentAccount(account);
    return account;
}

void StoreAccount(const ProductRegistry& registry, const StoredAccount& account) {
    registry.WriteAccount(account);
    SetCurrentAccount(account);
}

void DeleteStoredAccount(const ProductRegistry& registry) {
    registry.DeleteAccount();
    SetCurrentAccount({});
}
