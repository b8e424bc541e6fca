;; Tokens the tokenizer cut apart that stand for one word: a run of dashes
;; or equals signs written together (a ruler line, ----==), and a phone
;; number written with hyphens (303-832-8160). The joined item is added
;; beside the pieces; the parser takes whichever covers the sentence better.

(defun ruler-piece () (reg-match "^[-=_~*#]+$"))
(defun digit-group () (reg-match "^[0-9]+$"))

(def-rules english-rules
  (ruler-line
    (seq :front-to-back (word (ruler-piece)) (+ (word :nogap (ruler-piece))))
    (look-up (low) (high) (str "_sym_")))
  (hyphenated-number
    (seq :front-to-back (word (digit-group)) (+ (seq (word :nogap (str= "-")) (word :nogap (digit-group)))))
    (look-up (low) (high) (str "_num_"))))
