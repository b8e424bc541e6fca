; Tree rules applied to trees read in the result format: the auxiliary
; "will" becomes the head of its verb, and every determiner gets a property.
(def-tree-rules AUX
  (down :name aux-head
        (tree V (cat (str= V)) (node A (rel (str= aux))))
        (prog (invert-dep (get-val A)) (t)))
  (up (node D (cat (str= Det))) (comp (match) (set-prop def yes))))
