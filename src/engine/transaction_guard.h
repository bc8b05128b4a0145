#pragma once
// Scoped guards for work that must be stored whole or not at all: a transaction that is
// rolled back unless committed, and a pending record-set edit that is cancelled unless
// stored. Both swallow errors in their destructors, where the first failure is already
// on its way to the caller.
#include "database.h"
#include "recordset.h"

namespace zelk {

class TransactionGuard {
public:
    explicit TransactionGuard(Database& db) : m_db(db) { m_db.beginTrans(); }
    ~TransactionGuard()
    {
        if (m_open && m_db.inTransaction()) {
            try {
                m_db.rollback();
            } catch (...) {
            }
        }
    }
    TransactionGuard(const TransactionGuard&) = delete;
    TransactionGuard& operator=(const TransactionGuard&) = delete;

    void commit()
    {
        m_db.commitTrans();
        m_open = false;
    }

private:
    Database& m_db;
    bool m_open = true;
};

class PendingEdit {
public:
    explicit PendingEdit(Recordset& rs) : m_rs(rs) {}
    ~PendingEdit()
    {
        if (m_rs.editMode() != Recordset::EditMode::None) {
            try {
                m_rs.cancelUpdate();
            } catch (...) {
            }
        }
    }
    PendingEdit(const PendingEdit&) = delete;
    PendingEdit& operator=(const PendingEdit&) = delete;

private:
    Recordset& m_rs;
};

} // namespace zelk
