// TGeneral_Tree: the ordered container under every list of the lemmatiser.
// A binary search tree of entry pointers in the order of a comparison that its owner supplies,
// with hooks for what happens when an entry is found, added, visited in order or deleted.
// The tree keeps itself balanced (AVL), so insertion, search and the depth of a walk stay
// logarithmic whatever order the entries arrive in; nothing outside sees the tree's shape.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace lemmatiser {

// Memory for many small records that are released all at once: allocation is a pointer bump
// inside chunks that grow from 16 KiB to 1 MiB. Only for trivially destructible records.
class BumpArena {
 public:
  void *Allocate(size_t bytes, size_t alignment);
  template <typename T, typename... Args>
  T *New(Args &&...args) {
    return new (Allocate(sizeof(T), alignof(T))) T{std::forward<Args>(args)...};
  }
  // Releases every record at once.
  void Release();
  size_t BytesReserved() const { return reserved_; }

 private:
  std::vector<std::unique_ptr<std::byte[]>> chunks_;
  std::byte *next_ = nullptr;
  size_t left_ = 0;
  size_t reserved_ = 0;
};

struct anything;
using anything_ptr = anything *;

// A node: the owner's entry and the two children. `this_` stands for the entry pointer; the
// tree never looks inside an entry. `height` is the balancing bookkeeping.
struct anything {
  void *this_ = nullptr;
  anything_ptr left = nullptr;
  anything_ptr right = nullptr;
  int32_t height = 0;
};

// Callbacks receive a reference to a local copy of the node pointer: changing the variable
// does not change the tree.
using TDo_Something = std::function<void(anything_ptr &item)>;
using TFilterItOut = std::function<bool(anything_ptr &item)>;
// Negative when a sorts before b, 0 when equal, positive after; a and b are entry pointers.
using TCompare2FunctOfObject = std::function<int32_t(const void *a, const void *b)>;
using TTreeArrayOfPointer = std::vector<void *>;
using Tarray_of_anything_ptr = std::vector<anything_ptr>;

class TGeneral_Tree {
 public:
  // Without a comparison every pair of entries compares equal.
  explicit TGeneral_Tree(TCompare2FunctOfObject Compfunct = {});
  virtual ~TGeneral_Tree();  // clears the tree, calling the deleting callback for each node
  TGeneral_Tree(const TGeneral_Tree &) = delete;
  TGeneral_Tree &operator=(const TGeneral_Tree &) = delete;

  // Calls the deleting callback for every node (position counting down from counter - 1 to 0),
  // releases every node and empties the built array.
  virtual void Clear();

  // Inserts new_one.this_; true when a node was added, false when an equal entry was there
  // (the found-match callback then sees that node and the entry stays the caller's).
  bool Add_One(const anything &new_one);
  // As Add_One; meant to follow a WhereIs that did not find the entry.
  bool Add_One_To_Nearest(const anything &new_one);
  // As Add_One, returning the new node, or null when an equal entry was there.
  anything_ptr Add_OnePtr(const anything &new_one);
  // Adds an entry that the owner knows is not in the tree (it keeps its own exact index).
  // Such entries are linked in together at the next operation that reads the tree: sorted
  // and merged into a balanced tree, which costs far less than inserting them one at a time.
  // The added-one callback sees each of them then.
  void Add_OneKnownNew(void *entry);

  // The node whose entry compares equal to new_one.this_, or null. Records the last node
  // visited in nearest_find.
  anything_ptr WhereIs(const anything &new_one);
  // The same descent with ApproxCompare; leaves nearest_find alone.
  anything_ptr WhereIsApproxMatch(const anything &new_one);

  // In-order walk calling the given callback (or DoInOrderFunction) for every node, with
  // going = 1 for the first node and counter for the last.
  void Traverse();
  void Traverse(const TDo_Something &DoInOrder);

  // Fills BuiltArray with the entries in order, leaving out seeds and what the filter rejects;
  // then, when DoInOrderAfterwards is set, calls it for each built entry. Returns their number.
  int32_t BuildPtrArray(TFilterItOut FilterOutCriterion, TDo_Something DoInOrderAfterwards);
  // Sort BuiltArray with the tree's comparison, or first make NewCompare the tree's comparison.
  void SortBuiltArray();
  void SortBuiltArray(TCompare2FunctOfObject NewCompare);

  // Calls DoInOrderFunction for the non-null elements in array order (going counts them all).
  void TraverseArray(const TTreeArrayOfPointer &arr);
  void TraverseArray(Tarray_of_anything_ptr &arr);

  // Visits all entries, seeds included, in the order of NewCompare. NewCompare and
  // NewDoInOrder stay installed afterwards: give the tree back its own comparison before it
  // is searched or extended again.
  void TraverseReordering(TCompare2FunctOfObject NewCompare, TDo_Something NewDoInOrder);

  // Walks Another with AnothersDoInOrder (expected to insert into this tree).
  void CopyFrom(TGeneral_Tree &Another, TDo_Something AnothersDoInOrder, bool ClearSelf,
                bool ClearAnother);

  static void Do_Nowt(anything_ptr &) {}

  // Overridable operations.
  virtual int32_t ApproxCompare(const void *, const void *) { return 0; }
  // Whether an entry is one of the owner's seed entries.
  virtual bool IsASeed(const void *) { return false; }
  virtual void Do_Found_Match(anything_ptr &) {}
  virtual void Do_Added_One(anything_ptr &) {}
  virtual void Do_In_Order(anything_ptr &) {}
  virtual void Do_Deleting(anything_ptr &) {}
  virtual void Seed_Tree() {}

  // Properties.
  const TTreeArrayOfPointer &BuiltArray() const { return fBuiltPtrArray; }
  const TCompare2FunctOfObject &CompareFunction() const { return fCompareFunct; }
  void SetCompareFunction(TCompare2FunctOfObject f) { fCompareFunct = std::move(f); }
  void SetDoFoundMatchFunction(TDo_Something f) { fDoFoundMatchFunct = std::move(f); }
  void SetDoDeletingFunction(TDo_Something f) { fDoDeletingFunct = std::move(f); }
  void SetDoAddedOneFunction(TDo_Something f) { fDoAddedOneFunct = std::move(f); }
  void SetDoInOrderFunction(TDo_Something f) { fDoInOrderFunct = std::move(f); }
  const TDo_Something &DoInOrderFunction() const { return fDoInOrderFunct; }
  void SetFilteredOut(TFilterItOut f) { fFilterItOut = std::move(f); }
  bool TreeModified() const { return fTreeModified; }
  anything_ptr Root() {
    Settle();
    return froot;
  }
  int32_t Counter() const { return counter; }
  int32_t Going() const { return going; }
  int32_t Height();  // the number of levels; 0 for an empty tree

 protected:
  TTreeArrayOfPointer fBuiltPtrArray;
  TTreeArrayOfPointer fReorderPtrArray;
  int32_t built_len = 0;
  bool fTreeModified = false;
  TFilterItOut fFilterItOut;
  TDo_Something fDoFoundMatchFunct;
  TDo_Something fDoInOrderFunct;
  TDo_Something fDoAddedOneFunct;
  TDo_Something fDoDeletingFunct;
  TCompare2FunctOfObject fCompareFunct;
  anything_ptr froot = nullptr;
  anything_ptr nearest_find = nullptr;
  int32_t counter = 0;
  int32_t going = 0;
  anything current;

  // Calls the deleting callback for every node in order, then releases all nodes at once.
  // Owners call it from their destructors, where their own Do_Deleting is still in reach.
  void ClearingWalk();

 private:
  void SortPointers(TTreeArrayOfPointer &arr, int32_t L, int32_t R);
  // Links the entries added by Add_OneKnownNew into the tree.
  void Settle();

  TTreeArrayOfPointer fPending;

  BumpArena nodes_;
};

}  // namespace lemmatiser
