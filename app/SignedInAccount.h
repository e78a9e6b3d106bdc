#pragma once

#include "app/ProductRegistry.h"

// The account the process is signed in with. The UI thread changes it; the
// sign-in check and the reports read it from their own threads.
StoredAccount CurrentAccount();
void SetCurrentAccount(StoredAccount account);
// Forgets the account name only (a failed account check); nickname and kind stay.
void ClearCurrentAccountName();

// Reads the stored account into the process (start-up).
StoredAccount LoadStoredAccount(const ProductRegistry& registry);
// Stores a new sign-in and makes it the process's account.
void StoreAccount(const ProductRegistry& registry, const StoredAccount& account);
// Signs out: the stored values are deleted and the process's account cleared.
void DeleteStoredAccount(const ProductRegistry& registry);
