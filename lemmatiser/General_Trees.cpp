#include "lemmatiser/General_Trees.h"

#include <algorithm>
#include <utility>

#include "platform/yield_hook.h"

namespace lemmatiser {

namespace {

// AVL trees of 2^31 nodes are less than 46 levels high.
constexpr int kMaxPath = 64;

int32_t HeightOf(anything_ptr node) {
  return node == nullptr ? 0 : node->height;
}

void UpdateHeight(anything_ptr node) {
  node->height = 1 + std::max(HeightOf(node->left), HeightOf(node->right));
}

anything_ptr RotateRight(anything_ptr node) {
  anything_ptr pivot = node->left;
  node->left = pivot->right;
  pivot->right = node;
  UpdateHeight(node);
  UpdateHeight(pivot);
  return pivot;
}

anything_ptr RotateLeft(anything_ptr node) {
  anything_ptr pivot = node->right;
  node->right = pivot->left;
  pivot->left = node;
  UpdateHeight(node);
  UpdateHeight(pivot);
  return pivot;
}

anything_ptr Rebalance(anything_ptr node) {
  UpdateHeight(node);
  const int32_t balance = HeightOf(node->left) - HeightOf(node->right);
  if (balance > 1) {
    if (HeightOf(node->left->left) < HeightOf(node->left->right))
      node->left = RotateLeft(node->left);
    return RotateRight(node);
  }
  if (balance < -1) {
    if (HeightOf(node->right->right) < HeightOf(node->right->left))
      node->right = RotateRight(node->right);
    return RotateLeft(node);
  }
  return node;
}

int32_t CompareNothing(const void *, const void *) {
  return 0;
}

// In-order iteration over a tree with an explicit stack; the tree is balanced, so the stack
// stays as short as the tree is high.
class InOrderWalk {
 public:
  explicit InOrderWalk(anything_ptr root) : next_(root) { stack_.reserve(kMaxPath); }
  // The next node in order, or null when the walk is over. The node's right child is read
  // before the node is returned, so the caller may release the node.
  anything_ptr Next() {
    while (next_ != nullptr) {
      stack_.push_back(next_);
      next_ = next_->left;
    }
    if (stack_.empty()) return nullptr;
    anything_ptr node = stack_.back();
    stack_.pop_back();
    next_ = node->right;
    return node;
  }

 private:
  anything_ptr next_;
  std::vector<anything_ptr> stack_;
};

}  // namespace

void *BumpArena::Allocate(size_t bytes, size_t alignment) {
  size_t padding = (alignment - reinterpret_cast<uintptr_t>(next_) % alignment) % alignment;
  if (next_ == nullptr || padding + bytes > left_) {
    constexpr size_t kFirstChunk = 16 * 1024, kLargestChunk = 1024 * 1024;
    size_t size = std::min(kLargestChunk, kFirstChunk << std::min<size_t>(chunks_.size(), 6));
    size = std::max(size, bytes + alignment);
    chunks_.push_back(std::make_unique<std::byte[]>(size));
    next_ = chunks_.back().get();
    left_ = size;
    reserved_ += size;
    padding = (alignment - reinterpret_cast<uintptr_t>(next_) % alignment) % alignment;
  }
  std::byte *result = next_ + padding;
  next_ = result + bytes;
  left_ -= padding + bytes;
  return result;
}

void BumpArena::Release() {
  chunks_.clear();
  next_ = nullptr;
  left_ = 0;
  reserved_ = 0;
}

TGeneral_Tree::TGeneral_Tree(TCompare2FunctOfObject Compfunct)
    : fCompareFunct(Compfunct ? std::move(Compfunct) : TCompare2FunctOfObject(CompareNothing)) {
  fDoFoundMatchFunct = [this](anything_ptr &item) { Do_Found_Match(item); };
  fDoInOrderFunct = [this](anything_ptr &item) { Do_In_Order(item); };
  fDoAddedOneFunct = [this](anything_ptr &item) { Do_Added_One(item); };
  fDoDeletingFunct = [this](anything_ptr &item) { Do_Deleting(item); };
}

TGeneral_Tree::~TGeneral_Tree() {
  // Owners have already emptied the tree through their own Do_Deleting; what is left has
  // no owner callback to run.
  fDoDeletingFunct = Do_Nowt;
  ClearingWalk();
}

void TGeneral_Tree::ClearingWalk() {
  Settle();
  going = counter;
  InOrderWalk walk(froot);
  froot = nullptr;
  while (anything_ptr node = walk.Next()) {
    platform::CallYieldHook();
    --going;
    anything_ptr item = node;
    if (fDoDeletingFunct) fDoDeletingFunct(item);
  }
  nodes_.Release();
  counter = 0;
  nearest_find = nullptr;
  fReorderPtrArray.clear();
}

void TGeneral_Tree::Clear() {
  fTreeModified = true;
  ClearingWalk();
  fBuiltPtrArray.clear();
  built_len = 0;
}

anything_ptr TGeneral_Tree::Add_OnePtr(const anything &new_one) {
  Settle();
  platform::CallYieldHook();
  anything_ptr *path[kMaxPath];
  int depth = 0;
  anything_ptr *link = &froot;
  while (*link != nullptr) {
    platform::CallYieldHook();
    anything_ptr node = *link;
    const int32_t c = fCompareFunct(new_one.this_, node->this_);
    if (c == 0) {
      anything_ptr item = node;
      if (fDoFoundMatchFunct) fDoFoundMatchFunct(item);
      return nullptr;
    }
    path[depth++] = link;
    link = c < 0 ? &node->left : &node->right;
  }
  anything_ptr node = nodes_.New<anything>(new_one.this_, new_one.left, new_one.right, 1);
  anything_ptr item = node;
  if (fDoAddedOneFunct) fDoAddedOneFunct(item);
  node->left = nullptr;
  node->right = nullptr;
  node->height = 1;
  *link = node;
  while (depth > 0) {
    anything_ptr *up = path[--depth];
    const int32_t before = (*up)->height;
    *up = Rebalance(*up);
    if ((*up)->height == before) break;  // nothing above changes height
  }
  ++counter;
  fTreeModified = true;
  return node;
}

bool TGeneral_Tree::Add_One(const anything &new_one) {
  return Add_OnePtr(new_one) != nullptr;
}

bool TGeneral_Tree::Add_One_To_Nearest(const anything &new_one) {
  // A balanced tree must rebalance along the whole path from the root, so the descent starts
  // there; the result is the same as a descent from the nearest node of an unbalanced tree.
  return Add_OnePtr(new_one) != nullptr;
}

anything_ptr TGeneral_Tree::WhereIs(const anything &new_one) {
  Settle();
  platform::CallYieldHook();
  anything_ptr node = froot;
  while (node != nullptr) {
    platform::CallYieldHook();
    nearest_find = node;
    const int32_t c = fCompareFunct(new_one.this_, node->this_);
    if (c == 0) return node;
    node = c < 0 ? node->left : node->right;
  }
  return nullptr;
}

anything_ptr TGeneral_Tree::WhereIsApproxMatch(const anything &new_one) {
  Settle();
  platform::CallYieldHook();
  anything_ptr node = froot;
  while (node != nullptr) {
    const int32_t c = ApproxCompare(new_one.this_, node->this_);
    if (c == 0) return node;
    node = c < 0 ? node->left : node->right;
  }
  return nullptr;
}

void TGeneral_Tree::Traverse() {
  Traverse(fDoInOrderFunct);
}

void TGeneral_Tree::Traverse(const TDo_Something &DoInOrder) {
  Settle();
  fTreeModified = false;
  if (froot == nullptr) return;
  going = 0;
  InOrderWalk walk(froot);
  for (;;) {
    platform::CallYieldHook();
    anything_ptr node = walk.Next();
    if (node == nullptr) break;
    platform::CallYieldHook();
    ++going;
    anything_ptr item = node;
    if (DoInOrder) DoInOrder(item);
  }
}

int32_t TGeneral_Tree::BuildPtrArray(TFilterItOut FilterOutCriterion,
                                     TDo_Something DoInOrderAfterwards) {
  built_len = 0;
  fBuiltPtrArray.assign(static_cast<size_t>(counter), nullptr);
  fFilterItOut = std::move(FilterOutCriterion);
  Traverse([this](anything_ptr &item) {
    if (fFilterItOut && fFilterItOut(item)) return;
    if (IsASeed(item->this_)) return;
    fBuiltPtrArray[static_cast<size_t>(built_len++)] = item->this_;
  });
  fBuiltPtrArray.resize(static_cast<size_t>(built_len));
  if (DoInOrderAfterwards) {
    fDoInOrderFunct = std::move(DoInOrderAfterwards);
    TraverseArray(fBuiltPtrArray);
  }
  return built_len;
}

void TGeneral_Tree::SortPointers(TTreeArrayOfPointer &arr, int32_t L, int32_t R) {
  // Quicksort with the middle element as pivot. The scans are bounded by the range as well,
  // so a comparison that is not a consistent order cannot make them leave the array.
  while (L < R) {
    int32_t i = L;
    int32_t j = R;
    void *pivot = arr[static_cast<size_t>(L + (R - L) / 2)];
    while (i <= j) {
      while (i < R && fCompareFunct(arr[static_cast<size_t>(i)], pivot) < 0) ++i;
      while (j > L && fCompareFunct(pivot, arr[static_cast<size_t>(j)]) < 0) --j;
      if (i <= j) {
        std::swap(arr[static_cast<size_t>(i)], arr[static_cast<size_t>(j)]);
        ++i;
        --j;
      }
    }
    // Recurse into the smaller part and loop on the larger, so the stack stays logarithmic.
    if (j - L < R - i) {
      if (L < j) SortPointers(arr, L, j);
      L = i;
    } else {
      if (i < R) SortPointers(arr, i, R);
      R = j;
    }
  }
}

void TGeneral_Tree::SortBuiltArray() {
  if (fBuiltPtrArray.size() > 1)
    SortPointers(fBuiltPtrArray, 0, static_cast<int32_t>(fBuiltPtrArray.size()) - 1);
}

void TGeneral_Tree::SortBuiltArray(TCompare2FunctOfObject NewCompare) {
  fCompareFunct = std::move(NewCompare);
  SortBuiltArray();
}

void TGeneral_Tree::TraverseArray(const TTreeArrayOfPointer &arr) {
  going = 0;
  for (void *element : arr) {
    ++going;
    if (element == nullptr) continue;
    anything record{element, nullptr, nullptr, 0};
    anything_ptr item = &record;
    if (fDoInOrderFunct) fDoInOrderFunct(item);
  }
}

void TGeneral_Tree::TraverseArray(Tarray_of_anything_ptr &arr) {
  going = 0;
  for (anything_ptr &element : arr) {
    ++going;
    if (element != nullptr && fDoInOrderFunct) fDoInOrderFunct(element);
  }
}

void TGeneral_Tree::TraverseReordering(TCompare2FunctOfObject NewCompare,
                                       TDo_Something NewDoInOrder) {
  fReorderPtrArray.assign(static_cast<size_t>(counter), nullptr);
  fCompareFunct = std::move(NewCompare);
  Traverse([this](anything_ptr &item) {
    if (item->this_ == nullptr) return;
    current.this_ = item->this_;
    fReorderPtrArray[static_cast<size_t>(going - 1)] = item->this_;
  });
  if (fReorderPtrArray.size() > 1)
    SortPointers(fReorderPtrArray, 0, static_cast<int32_t>(fReorderPtrArray.size()) - 1);
  fDoInOrderFunct = std::move(NewDoInOrder);
  TraverseArray(fReorderPtrArray);
}

void TGeneral_Tree::CopyFrom(TGeneral_Tree &Another, TDo_Something AnothersDoInOrder,
                             bool ClearSelf, bool ClearAnother) {
  if (ClearSelf) Clear();
  Another.SetDoInOrderFunction(std::move(AnothersDoInOrder));
  Another.Traverse();
  if (ClearAnother) Another.Clear();
}

int32_t TGeneral_Tree::Height() {
  Settle();
  return HeightOf(froot);
}

void TGeneral_Tree::Add_OneKnownNew(void *entry) {
  fPending.push_back(entry);
  ++counter;
  fTreeModified = true;
}

namespace {

// A balanced tree over nodes[first, last), which are in order.
anything_ptr BuildBalanced(const std::vector<anything_ptr> &nodes, size_t first, size_t last) {
  if (first >= last) return nullptr;
  const size_t middle = first + (last - first) / 2;
  anything_ptr node = nodes[middle];
  node->left = BuildBalanced(nodes, first, middle);
  node->right = BuildBalanced(nodes, middle + 1, last);
  UpdateHeight(node);
  return node;
}

}  // namespace

void TGeneral_Tree::Settle() {
  if (fPending.empty()) return;
  TTreeArrayOfPointer pending = std::move(fPending);
  fPending.clear();
  if (pending.size() > 1) SortPointers(pending, 0, static_cast<int32_t>(pending.size()) - 1);

  std::vector<anything_ptr> nodes;
  nodes.reserve(static_cast<size_t>(counter));
  InOrderWalk walk(froot);
  size_t next_new = 0;
  const auto add_new = [&] {
    platform::CallYieldHook();
    anything_ptr node = nodes_.New<anything>(pending[next_new++], nullptr, nullptr, 1);
    anything_ptr item = node;
    if (fDoAddedOneFunct) fDoAddedOneFunct(item);
    nodes.push_back(node);
  };
  while (anything_ptr old = walk.Next()) {
    while (next_new < pending.size() && fCompareFunct(pending[next_new], old->this_) < 0) add_new();
    nodes.push_back(old);
  }
  while (next_new < pending.size()) add_new();
  froot = BuildBalanced(nodes, 0, nodes.size());
}

}  // namespace lemmatiser
