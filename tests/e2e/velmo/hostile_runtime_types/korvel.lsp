; Values whose type is only known at run time carry it: named objects,
; streams, function results and stepped texts are refused by consumers of
; another type instead of being misread.
(declare-var v)
(eval (comp (named-obj strcmp function) (print-str)))
(eval (setq v (named-obj strcmp function)))
(eval (comp (get-val v) (print-str)))
(defun obj () (named-obj strcmp function))
(eval (comp (obj) (print-str)))
(defun either () (if (get-val v) (named-obj strcmp function) (str never)))
(eval (comp (either) (print-str)))
(eval (comp (str text) (print-str (named-obj strcmp function))))
(eval (comp (output) (print-str)))
(eval (comp (input) (print-str)))
; A text never steps outside itself.
(eval (comp (str "") (+1) (print-str :suffix "|")))
(eval (comp (str "ab") (+1) (print-str :suffix "|")))
(eval (comp (str "ab") (-1) (print-str :suffix "|")))
(eval (comp (str "ab") (+1 (+1)) (print-str :suffix "|")))
(echo)
(echo still running)
