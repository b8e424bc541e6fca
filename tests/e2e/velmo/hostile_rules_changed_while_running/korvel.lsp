; A rule's action runs commands that would free or grow the rules being
; applied: clearing them is refused, adding to them is safe.
(def-tree-rules CLEARS
  (up (node D (cat (str= Det))) (prog (exec-commands (clear-tree-rules CLEARS)) (comp (match) (set-prop def yes))))
  (up (node N (cat (str= N))) (comp (match) (set-prop noun yes))))
(def-tree-rules GROWS
  (up (node D (cat (str= Det)))
      (prog (exec-commands (def-tree-rules GROWS (up (node X (cat (str= V))) (comp (match) (set-prop verb yes))))
                           (def-tree-rules GROWS (up (node Y (cat (str= Aux))) (t)))
                           (def-tree-rules GROWS (up (node Z (cat (str= N))) (t))))
            (comp (match) (set-prop def yes)))))
