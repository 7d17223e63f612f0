#include "dataset/DataSet.h"

#include "dataset/AsciiText.h"
#include "dataset/DataSource.h"
#include "dataset/Errors.h"
#include "dataset/RecordValues.h"
#include "text/Gbk.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>

namespace torvik::dataset {

namespace {

bool keyMatches(const std::string &recordText, const std::string &searchText, TLocateOptions options)
{
    const bool partial = options & loPartialKey;
    if (!(options & loCaseInsensitive)) {
        if (partial && recordText.size() >= searchText.size())
            return recordText.compare(0, searchText.size(), searchText) == 0;
        return recordText == searchText;
    }
    QString record = text::fromGbk(recordText);
    const QString search = text::fromGbk(searchText);
    if (partial && record.size() >= search.size())
        record.truncate(search.size());
    static QCollator collator = [] {
        QCollator c(QLocale::system());
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator.compare(record, search) == 0;
}

} // namespace

TDataSet::TDataSet(QObject *owner) : QObject(owner) {}

TDataSet::~TDataSet()
{
    for (const QPointer<TDataSource> &s : sources_) {
        if (s)
            s->dataSetGone(this);
    }
}

void TDataSet::setActive(bool active)
{
    if (active)
        Open();
    else
        Close();
}

void TDataSet::Open()
{
    if (Active())
        return;
    fire(BeforeOpen);
    try {
        InternalOpen();
        fields_.Rebuild(*this, fieldDefs_, layout_);
    } catch (...) {
        InternalClose();
        fields_.Clear();
        CurrentIndex = -1;
        throw;
    }
    state_ = TDataSetState::dsBrowse;
    modified_ = false;
    CurrentIndex = CachedCount() > 0 ? 0 : -1;
    bof_ = true;
    eof_ = CachedCount() == 0 && BrowseRecord() == nullptr;
    Notify(TDataEvent::DataSetChange);
    fire(AfterOpen);
    fire(AfterScroll);
}

void TDataSet::Close()
{
    if (!Active())
        return;
    fire(BeforeClose);
    discardEditBuffer();
    InternalClose();
    fields_.Clear();
    state_ = TDataSetState::dsInactive;
    CurrentIndex = -1;
    bof_ = eof_ = true;
    Notify(TDataEvent::DataSetChange);
    fire(AfterClose);
}

void TDataSet::Refresh()
{
    CheckActive();
    CheckBrowseMode();
    fire(BeforeRefresh);
    const int recNo = RecNo();
    Close();
    Open();
    setRecNo(recNo);
    fire(AfterRefresh);
}

void TDataSet::CheckActive() const
{
    if (!Active())
        throw EDatabaseError("Cannot perform this operation on a closed dataset");
}

void TDataSet::CheckBrowseMode()
{
    CheckActive();
    if (state_ == TDataSetState::dsEdit || state_ == TDataSetState::dsInsert) {
        UpdateRecord();
        if (modified_)
            Post();
        else
            Cancel();
    }
}

bool TDataSet::IsEmpty() const
{
    return ActiveRecord() == nullptr && ViewRowCount() == 0;
}

int TDataSet::RecordCount() const
{
    return Active() ? CachedCount() : 0;
}

void TDataSet::Resync()
{
    const int count = CachedCount();
    if (count == 0)
        CurrentIndex = -1;
    else
        CurrentIndex = std::clamp(CurrentIndex, 0, count - 1);
}

void TDataSet::First()
{
    CheckBrowseMode();
    scroll([this] {
        CurrentIndex = CachedCount() > 0 ? 0 : -1;
        bof_ = true;
        eof_ = CachedCount() == 0;
    });
}

void TDataSet::Last()
{
    CheckBrowseMode();
    scroll([this] {
        CurrentIndex = CachedCount() - 1;
        eof_ = true;
        bof_ = CachedCount() == 0;
    });
}

void TDataSet::Next()
{
    CheckBrowseMode();
    if (eof_)
        return;
    scroll([this] {
        if (CurrentIndex < CachedCount() - 1) {
            ++CurrentIndex;
            bof_ = false;
        } else {
            eof_ = true;
        }
    });
}

void TDataSet::Prior()
{
    CheckBrowseMode();
    if (bof_)
        return;
    scroll([this] {
        if (CurrentIndex > 0) {
            --CurrentIndex;
            eof_ = false;
        } else {
            bof_ = true;
        }
    });
}

int TDataSet::RecNo()
{
    if (!Active())
        return 0;
    if (state_ == TDataSetState::dsInsert)
        return insertRow_ + 1;
    if (CurrentIndex == -1)
        return CachedCount() > 0 ? 1 : 0;
    return CurrentIndex + 1;
}

void TDataSet::setRecNo(int value)
{
    CheckActive();
    if (value < 0 || value >= CachedCount() + 2)
        return;
    CheckBrowseMode();
    scroll([this, value] {
        CurrentIndex = value - 1;
        Resync();
        bof_ = eof_ = false;
        if (CachedCount() == 0)
            bof_ = eof_ = true;
    });
}

template <typename Fn>
void TDataSet::withErrorEvent(const TDataSetErrorEvent &handler, Fn &&fn)
{
    for (;;) {
        try {
            fn();
            return;
        } catch (const std::exception &e) {
            TDataAction action = TDataAction::daFail;
            if (handler)
                handler(*this, e, action);
            if (action != TDataAction::daRetry)
                throw;
        }
    }
}

void TDataSet::Edit()
{
    if (state_ == TDataSetState::dsEdit || state_ == TDataSetState::dsInsert)
        return;
    CheckActive();
    CheckCanModify();
    const uint8_t *current = BrowseRecord();
    if (!current) {
        Insert();
        return;
    }
    fire(BeforeEdit);
    withErrorEvent(OnEditError, [&] { editBuffer_ = TRecord::CopyOf(layout_, current, BrowseSideValues()); });
    state_ = TDataSetState::dsEdit;
    modified_ = false;
    Notify(TDataEvent::UpdateState);
    fire(AfterEdit);
}

void TDataSet::Insert()
{
    startInsert(false);
}

void TDataSet::Append()
{
    startInsert(true);
}

void TDataSet::startInsert(bool append)
{
    CheckBrowseMode();
    CheckCanModify();
    fire(BeforeInsert);
    fire(BeforeScroll);
    indexBeforeInsert_ = CurrentIndex;
    if (append)
        CurrentIndex = CachedCount();
    insertRow_ = append ? CachedCount() : std::max(CurrentIndex, 0);
    Notify(TDataEvent::RowsAboutToBeInserted, insertRow_);
    InitNewRecord(editBuffer_, layout_);
    state_ = TDataSetState::dsInsert;
    modified_ = false;
    Notify(TDataEvent::RowsInserted, insertRow_);
    fire(OnNewRecord);
    Notify(TDataEvent::UpdateState);
    fire(AfterInsert);
    fire(AfterScroll);
}

void TDataSet::Post()
{
    if (state_ != TDataSetState::dsEdit && state_ != TDataSetState::dsInsert)
        return;
    UpdateRecord();
    fire(BeforePost);
    const bool inserting = state_ == TDataSetState::dsInsert;
    const int viewRow = ActiveViewRow();
    bool taken = false;
    withErrorEvent(OnPostError, [&] { taken = InternalPost(); });
    if (taken) {
        editBuffer_.clear();
        state_ = TDataSetState::dsBrowse;
        Resync();
        Notify(TDataEvent::RowChanged, inserting ? std::min(viewRow, CurrentIndex) : CurrentIndex);
    } else {
        // Nothing was written: the record goes, as after a cancel.
        if (inserting)
            Notify(TDataEvent::RowsAboutToBeRemoved, insertRow_);
        discardEditBuffer();
        state_ = TDataSetState::dsBrowse;
        showDroppedEdit(inserting);
    }
    modified_ = false;
    bof_ = eof_ = CachedCount() == 0;
    Notify(TDataEvent::UpdateState);
    fire(AfterPost);
}

void TDataSet::UpdateRecord()
{
    if (state_ != TDataSetState::dsEdit && state_ != TDataSetState::dsInsert)
        return;
    const auto sources = sources_;
    for (const QPointer<TDataSource> &s : sources)
        if (s && s->Enabled())
            s->updateRecord();
}

bool TDataSet::InsertingUntouched()
{
    if (state_ != TDataSetState::dsInsert)
        return false;
    UpdateRecord();
    return !modified_;
}

void TDataSet::Cancel()
{
    if (state_ != TDataSetState::dsEdit && state_ != TDataSetState::dsInsert)
        return;
    fire(BeforeCancel);
    const bool inserting = state_ == TDataSetState::dsInsert;
    if (inserting)
        Notify(TDataEvent::RowsAboutToBeRemoved, insertRow_);
    discardEditBuffer();
    state_ = TDataSetState::dsBrowse;
    modified_ = false;
    showDroppedEdit(inserting);
    Notify(TDataEvent::UpdateState);
    fire(AfterCancel);
}

// The edit buffer is gone: an inserted record leaves the sources' rows and the
// cursor returns to where the insert began; an edited one shows its stored
// values again.
void TDataSet::showDroppedEdit(bool inserting)
{
    if (inserting) {
        CurrentIndex = indexBeforeInsert_;
        Resync();
        Notify(TDataEvent::RowsRemoved, insertRow_);
    } else {
        Notify(TDataEvent::RowChanged, CurrentIndex);
    }
}

void TDataSet::discardEditBuffer()
{
    editBuffer_.clear();
    if (state_ == TDataSetState::dsEdit || state_ == TDataSetState::dsInsert)
        state_ = TDataSetState::dsBrowse;
}

void TDataSet::Delete()
{
    CheckActive();
    if (state_ == TDataSetState::dsInsert) {
        Cancel();
        return;
    }
    if (state_ == TDataSetState::dsEdit) {
        discardEditBuffer();
        Notify(TDataEvent::UpdateState);
    }
    if (CachedCount() == 0)
        throw EDatabaseError("Cannot perform this operation on an empty dataset");
    fire(BeforeDelete);
    fire(BeforeScroll);
    withErrorEvent(OnDeleteError, [&] { InternalDelete(); });
    Resync();
    bof_ = eof_ = CachedCount() == 0;
    Notify(TDataEvent::DataSetScroll);
    fire(AfterDelete);
    fire(AfterScroll);
}

void TDataSet::InsertRecord(const std::vector<std::string> &values)
{
    Insert();
    for (size_t i = 0; i < values.size() && int(i) < fields_.Count(); ++i)
        fields_[int(i)]->setAsString(values[i]);
    Post();
}

void TDataSet::AppendRecord(const std::vector<std::string> &values)
{
    Append();
    for (size_t i = 0; i < values.size() && int(i) < fields_.Count(); ++i)
        fields_[int(i)]->setAsString(values[i]);
    Post();
}

TBookmark TDataSet::GetBookmark() const
{
    if (!Active() || CurrentIndex < 0 || CurrentIndex >= CachedCount())
        return std::nullopt;
    return CachedBookmark(CurrentIndex);
}

void TDataSet::UnknownBookmark()
{
    throw EDatabaseError("Bookmark not found");
}

void TDataSet::GotoBookmark(const TBookmark &bookmark)
{
    CheckBrowseMode();
    const int index = bookmark ? CachedIndexOfBookmark(*bookmark) : -1;
    if (index < 0) {
        UnknownBookmark();
        return;
    }
    scroll([this, index] {
        CurrentIndex = index;
        bof_ = eof_ = false;
    });
}

bool TDataSet::BookmarkValid(const TBookmark &bookmark) const
{
    return Active() && bookmark && CachedIndexOfBookmark(*bookmark) >= 0;
}

int TDataSet::CompareBookmarks(const TBookmark &a, const TBookmark &b) const
{
    if (!a || !b)
        return 0;
    return *a < *b ? -1 : *a > *b ? 1 : 0;
}

void TDataSet::setFilter(const std::string &filter)
{
    if (Active()) {
        Close();
        filter_ = filter;
        Open();
    } else {
        filter_ = filter;
    }
}

bool TDataSet::Locate(const std::string &keyFields, const std::vector<std::string> &keyValues,
                      TLocateOptions options)
{
    CheckBrowseMode();
    std::vector<const TField *> keys;
    for (const std::string &name : splitList(keyFields))
        keys.push_back(FieldByName(name));
    const int count = CachedCount();
    if (count == 0 || keys.empty())
        return false;
    DisableControls();
    int found = -1;
    for (int i = 0; i < count && found < 0; ++i) {
        const uint8_t *record = CachedRecord(i);
        bool all = true;
        for (size_t k = 0; k < keys.size() && all; ++k) {
            const std::string &search = keys.size() == 1 ? keyValues.at(0) : keyValues.at(k);
            all = keyMatches(keys[k]->TextIn(record), search, options);
        }
        if (all)
            found = i;
    }
    CurrentIndex = found >= 0 ? found : count - 1;
    bof_ = eof_ = false;
    Notify(TDataEvent::DataSetScroll);
    EnableControls();
    return found >= 0;
}

std::vector<std::string> TDataSet::Lookup(const std::string &keyFields, const std::vector<std::string> &keyValues,
                                          const std::string &resultFields)
{
    std::vector<std::string> out;
    if (!Locate(keyFields, keyValues, 0))
        return out;
    for (const std::string &name : splitList(resultFields))
        out.push_back(FieldByName(name)->AsString());
    return out;
}

void TDataSet::DisableControls()
{
    ++disableCount_;
}

void TDataSet::EnableControls()
{
    if (disableCount_ == 0)
        return;
    if (--disableCount_ > 0)
        return;
    const bool change = pendingChange_;
    const bool scroll = pendingScroll_;
    pendingChange_ = pendingScroll_ = false;
    if (change)
        Notify(TDataEvent::DataSetChange);
    else if (scroll)
        Notify(TDataEvent::DataSetScroll);
}

void TDataSet::Notify(TDataEvent event, int info)
{
    if (disableCount_ > 0) {
        if (event == TDataEvent::DataSetScroll)
            pendingScroll_ = true;
        else if (event != TDataEvent::UpdateState && event != TDataEvent::RecordChange)
            pendingChange_ = true;
        return;
    }
    const auto sources = sources_;
    for (const QPointer<TDataSource> &s : sources) {
        if (s)
            s->deliver(event, info);
    }
    DataEventForDetails(event);
}

void TDataSet::attach(TDataSource *source)
{
    sources_.push_back(source);
}

void TDataSet::detach(TDataSource *source)
{
    sources_.erase(std::remove_if(sources_.begin(), sources_.end(),
                                  [&](const QPointer<TDataSource> &s) { return !s || s == source; }),
                   sources_.end());
}

int TDataSet::ViewRowCount() const
{
    if (!Active())
        return 0;
    return CachedCount() + (state_ == TDataSetState::dsInsert ? 1 : 0);
}

const uint8_t *TDataSet::ViewRecord(int row) const
{
    if (state_ == TDataSetState::dsInsert) {
        if (row == insertRow_)
            return editBuffer_.data();
        return CachedRecord(row > insertRow_ ? row - 1 : row);
    }
    if (state_ == TDataSetState::dsEdit && row == CurrentIndex)
        return editBuffer_.data();
    return CachedRecord(row);
}

TBookmark TDataSet::ViewRowBookmark(int row) const
{
    if (row < 0 || row >= ViewRowCount())
        return std::nullopt;
    int index = row;
    if (state_ == TDataSetState::dsInsert) {
        if (row == insertRow_)
            return std::nullopt;
        if (row > insertRow_)
            --index;
    }
    return CachedBookmark(index);
}

int TDataSet::ActiveViewRow() const
{
    return state_ == TDataSetState::dsInsert ? insertRow_ : CurrentIndex;
}

const uint8_t *TDataSet::ActiveRecord() const
{
    switch (state_) {
    case TDataSetState::dsEdit:
    case TDataSetState::dsInsert:
        return editBuffer_.data();
    case TDataSetState::dsBrowse:
        return BrowseRecord();
    default:
        return nullptr;
    }
}

const TSideValues *TDataSet::ActiveSideValues() const
{
    switch (state_) {
    case TDataSetState::dsEdit:
    case TDataSetState::dsInsert:
        return &editBuffer_.side();
    case TDataSetState::dsBrowse:
        return BrowseSideValues();
    default:
        return nullptr;
    }
}

uint8_t *TDataSet::WritableRecord()
{
    if (state_ != TDataSetState::dsEdit && state_ != TDataSetState::dsInsert)
        throw EDatabaseError("Dataset not in edit or insert mode");
    return editBuffer_.data();
}

void TDataSet::FieldChanged(TField &field)
{
    modified_ = true;
    Notify(TDataEvent::RecordChange, field.Index());
}

void TDataSet::FieldLabelChanged(TField &)
{
    Notify(TDataEvent::LayoutChange);
}

} // namespace torvik::dataset
