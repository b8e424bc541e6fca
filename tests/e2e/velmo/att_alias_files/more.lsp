(alias extra (make-av ((cat v))))
