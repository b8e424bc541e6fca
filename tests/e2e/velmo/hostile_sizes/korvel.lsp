; Sizes, counts and bucket counts out of range: each is reported, bounded,
; and the run goes on.
(eval (comp (str aaa) (reg-sub "a" "b" g -1) (print-str)))
(eval (comp (str aaa) (reg-sub "a" "b" 100000000000) (print-str)))
(make-word-list w1 :hashsize -3 (a b))
(make-word-list w2 :hashsize 99999999999999999999 (a b))
(eval (comp (str a) (in :hashsize -1 (a b)) (print-str)))
(eval (comp (str b) (in :hashsize 2147483647 (a b)) (print-str)))
(make-lexicon L1 2000000000)
(make-lexicon L2 -5)
(make-tripledb db 100000000000)
(echo still running)
