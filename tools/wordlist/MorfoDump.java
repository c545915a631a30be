// Dumps every form of the morfologik Polish dictionary as "form<TAB>lemma<TAB>tags" lines.
import morfologik.stemming.Dictionary;
import morfologik.stemming.DictionaryLookup;
import morfologik.stemming.WordData;
import morfologik.stemming.polish.PolishStemmer;

import java.io.BufferedOutputStream;
import java.io.PrintStream;

public class MorfoDump {
    public static void main(String[] args) throws Exception {
        Dictionary dict = new PolishStemmer().getDictionary();
        // Buffered and explicitly UTF-8: the dump is 4.8 million lines and the
        // platform default charset is not guaranteed to be UTF-8.
        PrintStream out = new PrintStream(new BufferedOutputStream(System.out, 1 << 16), false, "UTF-8");
        for (WordData w : new DictionaryLookup(dict)) {
            out.print(w.getWord());
            out.print('\t');
            out.print(w.getStem());
            out.print('\t');
            out.println(w.getTag());
        }
        out.flush();
    }
}
