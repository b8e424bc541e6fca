; Word endings: a named table through def-endings, an inline table with
; conditions, roots found through both, and the reports of broken endings.
(defmacro show (exp) (comp exp (print-str :suffix "\n")))
(make-str-meaning-proto note)
(def-endings english (p "" base) (p s plural) (d ing ing) (e es es "" xsh))
(def-endings english (p ies ies y) (x s bad) (e es es-no-set) (p (s) listed y))
(make-lexicon words 101 :ending-table english)
(lex words (box (note n)) (run (note v)) (pony (note n)) (dog (note n)) (stop (note v)))
(foreach (Dogs boxes running ponies BOXES stopping cats) :eval (show (format (ident) " -> " (get-root words))))
(make-lexicon guarded 101 :ending-table ((p s plural) :conditions (((plural) (not (str= new)))) (p "" base)))
(lex guarded (new (note adj)) (news (note n)) (cat (note n)))
(foreach (news cats) :eval (show (format (ident) " -> " (get-root guarded))))
(objects "^(word|whole-sentence|\\*)$" "LPattern")
