#pragma once

// TDataSet: the small dataset framework the SQLite datasets build on. A
// dataset has a state (inactive, browse, edit, insert), a current record over
// the rows of its record source, fields bound to the active record, an
// editing cycle with its events, bookmarks, Locate and Lookup, and data
// sources through which views and detail datasets hear of its changes.

#include "dataset/Field.h"
#include "dataset/FieldDefs.h"
#include "dataset/Record.h"

#include <QObject>
#include <QPointer>

#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace torvik::dataset {

class TDataSource;
class TDataSet;

enum class TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };

// What a dataset tells its data sources. Row events carry the view row.
enum class TDataEvent {
    DataSetChange,        // the rows as a whole: open, close, refresh, controls enabled
    DataSetScroll,        // the current record moved
    RecordChange,         // a field of the active record changed (info: field index)
    UpdateState,          // the state changed
    LayoutChange,         // field titles changed
    RowsAboutToBeInserted,
    RowsInserted,
    RowsAboutToBeRemoved,
    RowsRemoved,
    RowChanged,           // a row's values changed (after post or cancel)
};

enum TLocateOption : int { loCaseInsensitive = 1, loPartialKey = 2 };
using TLocateOptions = int;

// A bookmark is the 32-bit id of a row; none when there was no current row.
using TBookmark = std::optional<int32_t>;

enum class TDataAction { daFail, daAbort, daRetry };

using TDataSetNotifyEvent = std::function<void(TDataSet &)>;
using TDataSetErrorEvent = std::function<void(TDataSet &, const std::exception &, TDataAction &)>;

class TDataSet : public QObject, public TFieldOwner {
    Q_OBJECT
public:
    explicit TDataSet(QObject *owner = nullptr);
    ~TDataSet() override;

    bool Active() const { return state_ != TDataSetState::dsInactive; }
    void setActive(bool active);
    void Open();
    void Close();
    // Remembers the record number, closes, opens and goes back to it.
    void Refresh();
    TDataSetState State() const { return state_; }

    virtual void First();
    virtual void Last();
    virtual void Next();
    virtual void Prior();
    bool Eof() const { return eof_; }
    bool Bof() const { return bof_; }
    bool IsEmpty() const;
    virtual int RecordCount() const;
    virtual int RecNo();
    virtual void setRecNo(int value);

    void Edit();
    void Insert();
    void Append();
    void Post();
    void Cancel();
    // Has the views write what the user typed but did not yet hand over
    // into the fields of the record being edited.
    void UpdateRecord();
    // Posts a modified record, cancels an unmodified one.
    void CheckBrowseMode();
    // A record being inserted to which nothing was written, not even by the
    // views (UpdateRecord runs first): the one a move off it drops.
    bool InsertingUntouched();
    void Delete();
    // Insert or append, assign the texts to the fields in order, post.
    virtual void InsertRecord(const std::vector<std::string> &values);
    virtual void AppendRecord(const std::vector<std::string> &values);
    bool Modified() const { return modified_; }
    void setModified() { modified_ = true; }

    TFields &Fields() { return fields_; }
    const TFields &Fields() const { return fields_; }
    int FieldCount() const { return fields_.Count(); }
    TField *FieldByName(const std::string &name) const { return fields_.FieldByName(name); }
    TField *FindField(const std::string &name) const { return fields_.FindField(name); }
    const TFieldDefs &FieldDefs() const { return fieldDefs_; }
    const TRecordLayout &Layout() const { return layout_; }

    TBookmark GetBookmark() const;
    void GotoBookmark(const TBookmark &bookmark);
    bool BookmarkValid(const TBookmark &bookmark) const;
    int CompareBookmarks(const TBookmark &a, const TBookmark &b) const;

    const std::string &Filter() const { return filter_; }
    virtual void setFilter(const std::string &filter);
    bool Filtered() const { return filtered_; }
    virtual void setFiltered(bool filtered) { filtered_ = filtered; }

    // keyFields: names separated by ";"; keyValues: one text per name (GBK).
    bool Locate(const std::string &keyFields, const std::vector<std::string> &keyValues, TLocateOptions options);
    // The texts of resultFields (";"-separated) of the first exact match;
    // empty when none matched.
    std::vector<std::string> Lookup(const std::string &keyFields, const std::vector<std::string> &keyValues,
                                    const std::string &resultFields);

    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return disableCount_ > 0; }

    // The rows a view shows: the cached rows, plus the record being inserted
    // at its place; the record being edited shows its edited values.
    int ViewRowCount() const;
    const uint8_t *ViewRecord(int row) const;
    int ActiveViewRow() const;
    // The bookmark of the record a view row shows; none for the record being
    // inserted, which has no id until it is posted, and for rows out of range.
    TBookmark ViewRowBookmark(int row) const;

    TDataSetNotifyEvent BeforeOpen, AfterOpen, BeforeClose, AfterClose;
    TDataSetNotifyEvent BeforeInsert, AfterInsert, BeforeEdit, AfterEdit;
    TDataSetNotifyEvent BeforePost, AfterPost, BeforeCancel, AfterCancel;
    TDataSetNotifyEvent BeforeDelete, AfterDelete, BeforeScroll, AfterScroll;
    TDataSetNotifyEvent BeforeRefresh, AfterRefresh, OnNewRecord;
    TDataSetErrorEvent OnPostError, OnDeleteError, OnEditError;

    const uint8_t *ActiveRecord() const override;
    const TSideValues *ActiveSideValues() const override;
    uint8_t *WritableRecord() override;
    void FieldChanged(TField &field) override;
    void FieldLabelChanged(TField &field) override;

protected:
    // The record source.
    virtual void InternalOpen() = 0;
    virtual void InternalClose() = 0;
    virtual int CachedCount() const = 0;
    virtual const uint8_t *CachedRecord(int index) const = 0;
    virtual int32_t CachedBookmark(int index) const = 0;
    virtual int CachedIndexOfBookmark(int32_t id) const = 0;
    // Writes the record being edited or inserted; answers whether the cache
    // took the record (and with it its blob streams).
    virtual bool InternalPost() = 0;
    virtual void InternalDelete() = 0;
    virtual void UnknownBookmark();
    virtual void CheckCanModify() {}
    // The current record while browsing, and the side values it refers to.
    virtual const uint8_t *BrowseRecord() const { return CachedRecord(CurrentIndex); }
    virtual const TSideValues *BrowseSideValues() const { return nullptr; }
    // Called for every event that reaches the data sources.
    virtual void DataEventForDetails(TDataEvent) {}

    void Notify(TDataEvent event, int info = -1);
    void CheckActive() const;
    void Resync();
    void fire(const TDataSetNotifyEvent &event) { if (event) event(*this); }
    // Moves the current record between the scroll events and the sources'
    // scroll notice.
    template <typename Fn>
    void scroll(Fn &&move)
    {
        fire(BeforeScroll);
        move();
        Notify(TDataEvent::DataSetScroll);
        fire(AfterScroll);
    }
    // The record being edited or inserted; a post moves it into the cache.
    TRecord &EditRecord() { return editBuffer_; }

    TFieldDefs fieldDefs_;
    TRecordLayout layout_;
    int CurrentIndex = -1;
    bool bof_ = true;
    bool eof_ = true;

private:
    friend class TDataSource;
    void attach(TDataSource *source);
    void detach(TDataSource *source);
    void startInsert(bool append);
    void discardEditBuffer();
    void showDroppedEdit(bool inserting);
    template <typename Fn>
    void withErrorEvent(const TDataSetErrorEvent &handler, Fn &&fn);

    TDataSetState state_ = TDataSetState::dsInactive;
    TFields fields_;
    TRecord editBuffer_;
    bool modified_ = false;
    int insertRow_ = -1;
    int indexBeforeInsert_ = -1;
    std::string filter_;
    bool filtered_ = false;
    int disableCount_ = 0;
    bool pendingChange_ = false;
    bool pendingScroll_ = false;
    std::vector<QPointer<TDataSource>> sources_;
};

} // namespace torvik::dataset
