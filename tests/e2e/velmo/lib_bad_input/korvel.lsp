; Bad input: patterns that do not compile, missing files, wrong types,
; too many arguments, a stream argument that is not a stream.
(foreach (abc) :eval (comp (reg-match "a(b" ab) (print-str :suffix "\n")))
(foreach (abc) :eval (comp (reg-sub "[b" x g) (print-str :suffix "\n")))
(foreach (abc) :eval (in missing.txt (abc)))
(add-to-word-list nowhere (x))
(foreach (abc) :eval (int2str))
(eval (int-sum (int 1) (int 2) (int 3)))
(eval (print-str (str x)))
(eval (print-str))
(eval (null-str))
